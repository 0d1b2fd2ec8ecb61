#include "sender/app/cut_plan_settings.h"

#include <cstdio>

#include "sender/app/setting_conversions.h"

namespace tarnik {

float BoundedPanelLength(double mm) {
    if (!(mm > 0.0))
        return 0.0f;
    return mm > kMaxPanelLengthMm ? kMaxPanelLengthMm : static_cast<float>(mm);
}

void LoadCutPlanSettings(ProfileFile& profile, CutPlanOptions& options) {
    char text[kSettingTextSize] = {};
    options = CutPlanOptions{};
    if (profile.ReadSetting(kCutPlanSection, kCutPlanOrderKey, text, sizeof text)) {
        const int32_t order = TextToInt(text);
        if (order >= 0 && order <= 2)
            options.Order = static_cast<CutOrder>(order);
    }
    if (profile.ReadSetting(kCutPlanSection, kCutPlanPanelKey, text, sizeof text))
        options.PanelLength = BoundedPanelLength(TextToDouble(text));
}

void SaveCutPlanSettings(ProfileFile& profile, const CutPlanOptions& options) {
    char text[32];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(options.Order));
    profile.WriteSetting(kCutPlanSection, kCutPlanOrderKey, text);
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(options.PanelLength));
    profile.WriteSetting(kCutPlanSection, kCutPlanPanelKey, text);
}

}  // namespace tarnik
