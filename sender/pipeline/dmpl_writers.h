#pragma once
// DM/PL command text of one job: the per-point commands of plain and dashed
// paths, the registration-mark header and the trailers. Coordinates are
// plotter units (31.496 per millimetre); each command is put down in the
// encoder's work file (or any other command output).
#include "sender/pipeline/command_text.h"
#include "sender/pipeline/mark_jobs.h"
#include "sender/pipeline/path_model.h"
#include "sender/settings/sender_settings.h"

namespace tarnik {

// Opens every job: initialise, absolute, pen up.
inline constexpr char kDmplJobHeader[] = ";:H A L0 EC1 U ";
// Short cut that sets the drag knife's direction before the first path.
inline constexpr char kDmplOrientationCut[] = "U0,0 D0,0,0,80 ";
// Ends a plain path of three or more points.
inline constexpr char kDmplPathEnd[] = " ";

// The five command templates of a job, rebuilt from their scrambled form
// once at the job's start and taken apart into literal pieces and number
// slots, so that each point is rendered without a format being interpreted.
// One per job; the writers below use it for every command.
class DmplWriter {
  public:
    DmplWriter();

    // The per-point commands, by template.
    void Move(CommandOutput& out, int32_t x, int32_t y) const;      // MoveTemplate
    void Cut(CommandOutput& out, int32_t x, int32_t y) const;       // CutTemplate
    void CutEnd(CommandOutput& out, int32_t x, int32_t y) const;    // CutEndTemplate
    void Continue(CommandOutput& out, int32_t x, int32_t y) const;  // ContinueTemplate
    // MarkHeaderTemplate with the four values in their order.
    void MarkHeader(CommandOutput& out, const MarkHeaderValues& values) const;

    // The plain writer: a pen-up move to the first point, one cut through
    // the others, and the path end blank when the cut holds three or more
    // points.
    void PlainPath(CommandOutput& out, const CutPath& path) const;

    // The dashed writer: cuts solid_mm, lifts for gap_mm, and so on along
    // the path, each change of state on its own command. Moves the nodes it
    // splits segments at. A length of 0 or less (or not a number) would make
    // no progress along the path: such a path is written by the plain
    // writer.
    void DashedPath(CommandOutput& out, CutPath& path, float solid_mm, float gap_mm) const;

  private:
    CommandTemplate move_;
    CommandTemplate cut_;
    CommandTemplate cut_end_;
    CommandTemplate continue_;
    CommandTemplate mark_header_;
};

// The job's end: a paper feed of YSTEPS and XSTEPS when CanFeedPaper is set,
// then the pen-up return home with "@".
void AppendDmplTrailer(CommandOutput& out, const SenderSettings& settings);

}  // namespace tarnik
