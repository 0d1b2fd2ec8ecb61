#pragma once
// The main window's progress bar: a standard progress control whose
// painting is replaced by a flat bar with the percentage (or a stored text)
// drawn over it, in two colours so that it reads over the bar and beside
// it. It repaints only when the bar's width in pixels changes, so the
// per-block progress of a long job costs no painting.
#include <windows.h>

#include <string>

#include "sender/controls/progress_text.h"

namespace tarnik {

class CTextProgressCtrl {
  public:
    CTextProgressCtrl();
    ~CTextProgressCtrl();
    CTextProgressCtrl(const CTextProgressCtrl&) = delete;
    CTextProgressCtrl& operator=(const CTextProgressCtrl&) = delete;

    // Takes over the painting of an existing progress control.
    bool Attach(HWND control);
    void Detach();
    HWND Handle() const { return window_; }

    // Returns the previous position, -1 without a window.
    int SetPos(int position);
    int GetPos() const { return range_.position; }
    void SetBarColour(COLORREF colour) { bar_ = colour; }
    void SetBkColour(COLORREF colour) { background_ = colour; }
    void SetTextForeColour(COLORREF colour) { text_on_background_ = colour; }
    void SetTextBkColour(COLORREF colour) { text_on_bar_ = colour; }
    // How many times the control painted itself (tests count repaints).
    int PaintCount() const { return paint_count_; }

  private:
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam, UINT_PTR id, DWORD_PTR self);
    LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
    void Paint();
    std::string IncomingText(LPARAM lparam) const;
    std::wstring WideText() const;
    LRESULT CopyTextOut(size_t size, LPARAM lparam) const;
    int BarWidth() const;

    HWND window_ = nullptr;
    ProgressRange range_;
    int step_ = 1;
    std::string text_;
    bool show_text_ = true;
    int last_bar_width_ = -1;
    COLORREF bar_;
    COLORREF background_;
    COLORREF text_on_background_;
    COLORREF text_on_bar_;
    int paint_count_ = 0;
};

}  // namespace tarnik
