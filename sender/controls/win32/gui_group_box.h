#pragma once
// CGuiGroupBox: a group box that draws its own frame, a rectangle with cut
// corners in the shadow colour, and its caption in "Verdana" in the lifted
// selection colour. It takes the template's text as its caption and clears
// the window text, so only its own drawing shows the caption.
#include <string>

#include "sender/controls/win32/gui_control.h"
#include "ui/win32/gdi_handles.h"

namespace tarnik {

class CGuiGroupBox : public GuiControl {
  public:
    enum Alignment {
        kTopLeft = 0,
        kTopRight = 1,
        kLeftFromBottom = 2,  // along the left side, reading upwards
        kLeftFromTop = 3,
    };

    CGuiGroupBox() = default;
    ~CGuiGroupBox() override;

    void SetAlignment(Alignment alignment);
    const std::wstring& Caption() const { return caption_; }

  protected:
    void OnAttach() override;
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;

  private:
    void Paint(HDC dc);
    void DrawCaption(HDC dc, const RECT& client, const RECT& frame);
    void MakeFont();

    std::wstring caption_;
    Alignment alignment_ = kTopLeft;
    ui::UniqueFont font_;
};

}  // namespace tarnik
