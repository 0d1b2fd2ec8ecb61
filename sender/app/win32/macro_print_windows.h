#pragma once
// The contour-cut macro's print dialog as the print link reaches it: a
// window of another process, found by class and title and driven only by
// window messages; the print file by the file API; waits by Sleep.
#include <windows.h>

#include "sender/app/macro_print.h"

namespace tarnik {

class Win32MacroPrintWindows : public MacroPrintWindows {
  public:
    // `owner` owns the message boxes (the main window).
    explicit Win32MacroPrintWindows(HWND owner) : owner_(owner) {}

    MacroWindow FindDialog(const char* title) override;
    void CloseDialog(MacroWindow window) override;
    std::string WindowTitle(MacroWindow window, std::size_t max_chars) override;
    MacroWindow FindChild(MacroWindow parent, const char* window_class,
                          const char* caption) override;
    void SetText(MacroWindow window, const char* text) override;
    void PressButton(MacroWindow button) override;
    void ShowMessage(const char* text) override;
    bool FileExists(const char* path) override;
    void RemoveFile(const char* path) override;
    void Sleep(uint32_t ms) override;

  private:
    HWND owner_;
};

}  // namespace tarnik
