#pragma once
// The file settings dialog's media controls as its fields hold them, and
// the job plan's media options they stand for.
#include <cstdint>

#include "sender/settings/media_layout_options.h"

namespace tarnik {

// The entries of the turn list (none, 90 degrees, automatic) and of the
// weed line list (both ways, across the media, along the feed).
inline constexpr int kRotateEntries = 3;
inline constexpr int kWeedDirectionEntries = 3;

struct MediaFields {
    float MediaWidth = 0.0f;  // mm, 0 = any
    int32_t RotateIndex = 0;  // entry of the turn list
    int32_t Mirror = 0;       // check box
    int32_t Copies = 1;
    float CopyGap = 0.0f;        // mm
    float WeedBorder = 0.0f;     // mm, 0 = none
    float WeedLines = 0.0f;      // mm between lines, 0 = none
    int32_t DirectionIndex = 0;  // entry of the weed line list
    float WeedGap = 0.0f;        // mm a line stops short of the design
    float TileOverlap = 0.0f;    // mm, 0 = no strips
};

MediaFields MediaFieldsOf(const MediaLayoutOptions& options);

// The options the fields ask for, with the dialog's whole-mm margins. Each
// length is taken as tarnik.ini keeps it (to a tenth of a mm), so that the
// job is cut exactly as one cut later from the saved settings, by the job
// sender or tarnik-cli. A list index outside its list gives the first entry.
MediaLayoutOptions MediaOptionsOf(const MediaFields& fields, int32_t left_margin,
                                  int32_t top_margin);

}  // namespace tarnik
