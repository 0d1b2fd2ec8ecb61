#pragma once
// The job plan's options for placing a job on the media, kept in the
// "CutPlan" section of tarnik.ini beside the cut order: media width, turn,
// mirror, copies, weeding border and lines, strips. The margins come from
// the file settings dialog (or the command line) for each job. Lengths are
// millimetres; frame: x along the paper feed, y across the media.
#include <cstdint>

namespace tarnik {

inline constexpr char kMediaWidthKey[] = "MediaWidth";
inline constexpr char kRotateKey[] = "Rotate";
inline constexpr char kMirrorKey[] = "Mirror";
inline constexpr char kCopiesKey[] = "Copies";
inline constexpr char kCopyGapKey[] = "CopyGap";
inline constexpr char kWeedBorderKey[] = "WeedBorder";
inline constexpr char kWeedLinesKey[] = "WeedLines";
inline constexpr char kWeedDirectionKey[] = "WeedDirection";
inline constexpr char kWeedGapKey[] = "WeedGap";
inline constexpr char kTileOverlapKey[] = "TileOverlap";

enum class RotateChoice : int32_t {
    None = 0,
    Quarter = 90,
    Automatic = -1,  // turn when it fits only turned or its long side runs across
};

// Which weed lines run through the waste.
enum class WeedDirection : int32_t {
    Both = 0,
    Across = 1,  // lines across the media, one every spacing along the feed
    Along = 2,   // lines along the feed, one every spacing across the media
};

struct MediaLayoutOptions {
    double MediaWidth = 0.0;  // mm across the feed; 0: not known, no check
    RotateChoice Rotate = RotateChoice::None;
    bool Mirror = false;
    double MarginLeft = 0.0;  // mm across the media, from the plotter's origin
    double MarginTop = 0.0;   // mm along the feed
    int32_t Copies = 1;
    double CopyGap = 5.0;     // mm between copies
    double WeedBorder = 0.0;  // mm from the job to its border; 0: no border
    double WeedLines = 0.0;   // mm between weed lines; 0: none
    WeedDirection WeedLineDirection = WeedDirection::Both;
    double WeedGap = 2.0;      // mm a weed line stops short of the design
    double TileOverlap = 0.0;  // mm two strips share; 0: no tiling
};

// Whether the options ask for anything at all; with nothing asked the job
// plan leaves the job where the drawing program put it.
inline bool WantsMediaLayout(const MediaLayoutOptions& o) {
    return o.MediaWidth != 0.0 || o.Rotate != RotateChoice::None || o.Mirror ||
           o.MarginLeft != 0.0 || o.MarginTop != 0.0 || o.Copies != 1 || o.WeedBorder != 0.0 ||
           o.WeedLines != 0.0 || o.TileOverlap != 0.0;
}

}  // namespace tarnik
