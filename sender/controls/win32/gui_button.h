#pragma once
// CGuiButton: an icon push button, flat until the mouse is over it, raised
// while hot and sunken while pressed, with a tooltip of its own. No caption
// text is drawn.
#include <string>

#include "sender/controls/win32/gui_control.h"
#include "ui/win32/gdi_handles.h"

namespace tarnik {

class CGuiButton : public OwnerDrawnButton {
  public:
    CGuiButton() = default;
    ~CGuiButton() override;

    // Style 1 (the default) and 2 draw alike; the main window sets 2.
    void SetStyle(int style) { style_ = style; }
    int Style() const { return style_; }
    // Icons by resource id, loaded at `size` pixels with the system's 3-D
    // colours mapped; without a hot or pressed icon the normal one serves.
    bool SetIcons(int normal, int hot, int pressed, int size);
    bool SetIcon(int normal, int size) { return SetIcons(normal, 0, 0, size); }
    void ShowIcon(bool shown = true);
    // The tooltip is created on first use and fed the button's mouse moves.
    void SetToolTipText(const wchar_t* text);
    bool Hot() const { return hot_; }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    void Draw(const DRAWITEMSTRUCT& item) override;

  private:
    void RelayToTooltip(UINT message, WPARAM wparam, LPARAM lparam) const;
    void OnTimerTick();
    // The icon for the look: a missing hot or pressed icon is the normal one.
    HICON IconFor(bool pressed) const;
    void DestroyTooltip();

    int style_ = 1;
    bool hot_ = false;
    bool icon_shown_ = false;
    int icon_size_ = 0;
    ui::UniqueIcon normal_;
    ui::UniqueIcon hot_icon_;
    ui::UniqueIcon pressed_;
    HWND tooltip_ = nullptr;
    UINT tool_info_size_ = 0;  // the TOOLINFO size the tooltip took
    std::wstring tooltip_text_;
};

}  // namespace tarnik
