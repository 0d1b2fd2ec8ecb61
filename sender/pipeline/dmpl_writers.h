#pragma once
// DM/PL command text of one job: the per-point commands of plain and dashed
// paths, the registration-mark header and the trailers. Coordinates are
// plotter units (31.496 per millimetre); each command is appended to a text
// that the encoder then writes into its work file.
#include <string>

#include "sender/app/sender_settings.h"
#include "sender/pipeline/mark_jobs.h"
#include "sender/pipeline/path_model.h"

namespace tarnik {

// Opens every job: initialise, absolute, pen up.
inline constexpr char kDmplJobHeader[] = ";:H A L0 EC1 U ";
// Short cut that sets the drag knife's direction before the first path.
inline constexpr char kDmplOrientationCut[] = "U0,0 D0,0,0,80 ";
// Ends a plain path of three or more points.
inline constexpr char kDmplPathEnd[] = " ";

// The per-point commands, by template.
void AppendMove(std::string& out, int32_t x, int32_t y);      // MoveTemplate
void AppendCut(std::string& out, int32_t x, int32_t y);       // CutTemplate
void AppendCutEnd(std::string& out, int32_t x, int32_t y);    // CutEndTemplate
void AppendContinue(std::string& out, int32_t x, int32_t y);  // ContinueTemplate
// MarkHeaderTemplate with the four values in their order.
void AppendMarkHeader(std::string& out, const MarkHeaderValues& values);

// The plain writer: a pen-up move to the first point, one cut through the
// others, and the path end blank when the cut holds three or more points.
void AppendPlainPath(std::string& out, const CutPath& path);

// The dashed writer: cuts solid_mm, lifts for gap_mm, and so on along the
// path, each change of state on its own command. Moves the nodes it splits
// segments at. A length of 0 or less (or not a number) would make no
// progress along the path: such a path is written by the plain writer.
void AppendDashedPath(std::string& out, CutPath& path, float solid_mm, float gap_mm);

// The job's end: a paper feed of YSTEPS and XSTEPS when CanFeedPaper is set,
// then the pen-up return home with "@".
void AppendDmplTrailer(std::string& out, const SenderSettings& settings);

}  // namespace tarnik
