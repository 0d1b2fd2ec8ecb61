#include "sender/app/media_layout_settings.h"

#include <cmath>
#include <cstdio>

#include "sender/app/setting_conversions.h"
#include "sender/settings/cut_plan_options.h"

namespace tarnik {
namespace {

class CutPlanKeys {
  public:
    explicit CutPlanKeys(ProfileFile& profile) : profile_(profile) {}

    void Length(const char* key, double& mm) {
        if (Read(key)) {
            const double value = TextToDouble(text_);
            if (std::isfinite(value))
                mm = value;
        }
    }
    void Int(const char* key, int32_t& value) {
        if (Read(key))
            value = TextToInt(text_);
    }

  private:
    bool Read(const char* key) {
        return profile_.ReadSetting(kCutPlanSection, key, text_, sizeof text_);
    }
    ProfileFile& profile_;
    char text_[kSettingTextSize] = {};
};

void WriteLength(ProfileFile& profile, const char* key, double mm) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", mm);
    profile.WriteSetting(kCutPlanSection, key, text);
}

void WriteInt(ProfileFile& profile, const char* key, int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    profile.WriteSetting(kCutPlanSection, key, text);
}

}  // namespace

void LoadMediaLayoutSettings(ProfileFile& profile, MediaLayoutOptions& options) {
    options = MediaLayoutOptions{};
    CutPlanKeys keys(profile);
    keys.Length(kMediaWidthKey, options.MediaWidth);
    int32_t rotate = 0;
    keys.Int(kRotateKey, rotate);
    if (rotate == 90 || rotate == -1)
        options.Rotate = static_cast<RotateChoice>(rotate);
    int32_t mirror = 0;
    keys.Int(kMirrorKey, mirror);
    options.Mirror = mirror != 0;
    keys.Int(kCopiesKey, options.Copies);
    keys.Length(kCopyGapKey, options.CopyGap);
    keys.Length(kWeedBorderKey, options.WeedBorder);
    keys.Length(kWeedLinesKey, options.WeedLines);
    int32_t direction = 0;
    keys.Int(kWeedDirectionKey, direction);
    if (direction == 1 || direction == 2)
        options.WeedLineDirection = static_cast<WeedDirection>(direction);
    keys.Length(kWeedGapKey, options.WeedGap);
    keys.Length(kTileOverlapKey, options.TileOverlap);
}

void SaveMediaLayoutSettings(ProfileFile& profile, const MediaLayoutOptions& options) {
    WriteLength(profile, kMediaWidthKey, options.MediaWidth);
    WriteInt(profile, kRotateKey, static_cast<int32_t>(options.Rotate));
    WriteInt(profile, kMirrorKey, options.Mirror ? 1 : 0);
    WriteInt(profile, kCopiesKey, options.Copies);
    WriteLength(profile, kCopyGapKey, options.CopyGap);
    WriteLength(profile, kWeedBorderKey, options.WeedBorder);
    WriteLength(profile, kWeedLinesKey, options.WeedLines);
    WriteInt(profile, kWeedDirectionKey, static_cast<int32_t>(options.WeedLineDirection));
    WriteLength(profile, kWeedGapKey, options.WeedGap);
    WriteLength(profile, kTileOverlapKey, options.TileOverlap);
}

}  // namespace tarnik
