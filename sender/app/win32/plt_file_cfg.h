#pragma once
// The file settings dialog shown before a job is cut: the design's size,
// two margins, the choice to cut to a file instead of the plotter, the cut
// order with its panel length, the job's place on the media and the job's
// time on the line.
#include <cstdint>
#include <functional>
#include <optional>

#include "sender/app/media_fields.h"
#include "sender/controls/win32/gui_group_box.h"
#include "sender/settings/cut_plan_options.h"
#include "ui/win32/dialog.h"

namespace tarnik {

class Cpltfilecfg : public ui::Dialog {
  public:
    Cpltfilecfg();

    // Fields, in the order the dialog exchanges them.
    int32_t LeftMargin = 0;    // mm
    int32_t TopMargin = 0;     // mm
    float Width = 0.0f;        // mm, display only
    float Height = 0.0f;       // mm, display only
    int32_t CutToFile = 0;     // 1: write the job to a file
    int32_t OrderIndex = 0;    // entry of the cut-order list (file_settings_rules.h)
    float PanelLength = 0.0f;  // mm along the feed, 0 = off
    MediaFields Media;         // media width, turn, mirror, copies, weeding, strips

    // The job's bytes with a cut plan (none when it cannot be encoded): the
    // dialog shows their time on the line, and asks again when the user
    // changes the order, the panels, the margins or the media.
    std::function<std::optional<uint64_t>(const CutPlanOptions&)> EstimateBytes;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& exchange) override;
    // Closes only with media options that hold together.
    void OnOK() override;

  private:
    // The line time of the choice the controls show now.
    void ShowLineTime();
    // The media controls as they read now, leniently (for the line time).
    MediaFields MediaShown() const;
    float NumberShown(int id) const;

    CGuiGroupBox file_size_group_;
    CGuiGroupBox margin_group_;
    CGuiGroupBox cut_order_group_;
    CGuiGroupBox media_group_;
};

}  // namespace tarnik
