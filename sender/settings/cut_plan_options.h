#pragma once
// The job plan's options: in what order the paths of a job are cut and
// whether the job is cut in panels along the feed. Stored in the "CutPlan"
// section of tarnik.ini ("Order", "PanelLength"); the job sender, tarnik-cli
// and the Inkscape route all turn their controls into this one record.
#include <cstdint>

namespace tarnik {

// The values of the "Order" key.
enum class CutOrder : int32_t {
    Drawn = 0,     // as the drawing program wrote the paths
    Inside = 1,    // every closed path after everything inside it, else as drawn
    Shortest = 2,  // inside first, and the shortest pen-up travel found
};

inline constexpr char kCutPlanSection[] = "CutPlan";
inline constexpr char kCutPlanOrderKey[] = "Order";
inline constexpr char kCutPlanPanelKey[] = "PanelLength";

// The longest panel the settings take: 50 m of roll, far beyond any plotter's
// tracking; a longer value is taken as this.
inline constexpr float kMaxPanelLengthMm = 50000.0f;

struct CutPlanOptions {
    CutOrder Order = CutOrder::Drawn;
    float PanelLength = 0.0f;  // mm along the feed; 0 cuts the job in one piece

    // Nothing chosen: the job streams from the plot reader to the encoders
    // as it always has, byte for byte.
    bool Bypassed() const { return Order == CutOrder::Drawn && !(PanelLength > 0.0f); }
};

}  // namespace tarnik
