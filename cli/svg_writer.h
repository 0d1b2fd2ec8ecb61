#pragma once
// Drawing a decoded job as SVG, in millimetres. The picture shows the design
// as it was drawn: plotter y (across the paper) runs to the right, plotter x
// (the paper feed, from the design's top edge) runs down the page. Cuts are
// solid black paths, one <path> element per cut path; the knife's pen-up
// travel, from the origin through every path start, is one dashed red
// <path> element.
#include <string>

#include "cli/job_decoder.h"

namespace tarnik::cli {

// The whole SVG document for job.
std::string RenderJobSvg(const DecodedJob& job);

}  // namespace tarnik::cli
