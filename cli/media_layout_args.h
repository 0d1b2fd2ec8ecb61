#pragma once
// Placing the job on the media from the command line of "cut": media
// width, turn, mirror, margins, copies, weeding border and lines, strips.
// The options are taken out of the arguments before the rest is parsed and
// override the settings file's "CutPlan" section.
#include <optional>
#include <string>
#include <vector>

#include "sender/plan/media_layout.h"

namespace tarnik::cli {

struct MediaLayoutOverride {
    std::optional<double> media_width;
    std::optional<RotateChoice> rotate;
    bool mirror = false;
    std::optional<double> margin_left;
    std::optional<double> margin_top;
    std::optional<int32_t> copies;
    std::optional<double> copy_gap;
    std::optional<double> weed_border;
    std::optional<double> weed_lines;
    std::optional<WeedDirection> weed_direction;
    std::optional<double> weed_gap;
    std::optional<double> tile_overlap;

    void ApplyTo(MediaLayoutOptions& options) const;
};

// The help section of the options.
const char* MediaLayoutHelpText();

// Removes the options and their values from args (args[0] is the program;
// arguments after "--" are left alone) and records them. False with a
// reason in error for a missing or bad value or an option given twice.
bool TakeMediaLayoutArgs(std::vector<std::string>& args, MediaLayoutOverride& layout,
                         std::string& error);

}  // namespace tarnik::cli
