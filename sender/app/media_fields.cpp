#include "sender/app/media_fields.h"

#include <cstdio>

#include "sender/app/setting_conversions.h"

namespace tarnik {
namespace {

constexpr RotateChoice kRotateList[kRotateEntries] = {RotateChoice::None, RotateChoice::Quarter,
                                                      RotateChoice::Automatic};

// A length as writing it to tarnik.ini and reading it back gives it.
double AsStored(float mm) {
    char text[48];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(mm));
    return TextToDouble(text);
}

}  // namespace

MediaFields MediaFieldsOf(const MediaLayoutOptions& o) {
    MediaFields f;
    f.MediaWidth = static_cast<float>(o.MediaWidth);
    for (int i = 0; i < kRotateEntries; ++i) {
        if (kRotateList[i] == o.Rotate)
            f.RotateIndex = i;
    }
    f.Mirror = o.Mirror ? 1 : 0;
    f.Copies = o.Copies;
    f.CopyGap = static_cast<float>(o.CopyGap);
    f.WeedBorder = static_cast<float>(o.WeedBorder);
    f.WeedLines = static_cast<float>(o.WeedLines);
    f.DirectionIndex = static_cast<int32_t>(o.WeedLineDirection);
    f.WeedGap = static_cast<float>(o.WeedGap);
    f.TileOverlap = static_cast<float>(o.TileOverlap);
    return f;
}

MediaLayoutOptions MediaOptionsOf(const MediaFields& f, int32_t left_margin, int32_t top_margin) {
    MediaLayoutOptions o;
    o.MediaWidth = AsStored(f.MediaWidth);
    const bool rotate_listed = f.RotateIndex >= 0 && f.RotateIndex < kRotateEntries;
    o.Rotate = rotate_listed ? kRotateList[f.RotateIndex] : RotateChoice::None;
    o.Mirror = f.Mirror != 0;
    o.MarginLeft = left_margin;
    o.MarginTop = top_margin;
    o.Copies = f.Copies;
    o.CopyGap = AsStored(f.CopyGap);
    o.WeedBorder = AsStored(f.WeedBorder);
    o.WeedLines = AsStored(f.WeedLines);
    const bool direction_listed = f.DirectionIndex >= 0 && f.DirectionIndex < kWeedDirectionEntries;
    o.WeedLineDirection =
        direction_listed ? static_cast<WeedDirection>(f.DirectionIndex) : WeedDirection::Both;
    o.WeedGap = AsStored(f.WeedGap);
    o.TileOverlap = AsStored(f.TileOverlap);
    return o;
}

}  // namespace tarnik
