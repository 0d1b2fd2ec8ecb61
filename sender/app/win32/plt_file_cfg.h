#pragma once
// The file settings dialog shown before a job is cut: the design's size,
// two margins and the choice to cut to a file instead of the plotter.
#include <cstdint>

#include "sender/controls/win32/gui_group_box.h"
#include "ui/win32/dialog.h"

namespace tarnik {

class Cpltfilecfg : public ui::Dialog {
  public:
    Cpltfilecfg();

    // Fields, in the order the dialog exchanges them.
    int32_t LeftMargin = 0;  // mm
    int32_t TopMargin = 0;   // mm
    float Width = 0.0f;      // mm, display only
    float Height = 0.0f;     // mm, display only
    int32_t CutToFile = 0;   // 1: write the job to a file

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& exchange) override;

  private:
    CGuiGroupBox file_size_group_;
    CGuiGroupBox margin_group_;
};

}  // namespace tarnik
