#pragma once
// The installer's window (dialog 102): the version list, Install and
// Cancel, the About item of the system menu; and the About box (dialog 100).
#include <windows.h>

#include "installer/win32/message_filter.h"
#include "ui/win32/dialog.h"

namespace tarnik::ostrel {

class CAboutDlg : public ui::Dialog {
  public:
    CAboutDlg();
};

class COstrelDlg : public ui::Dialog {
  public:
    COstrelDlg();

  protected:
    BOOL OnInitDialog() override;
    // Install: one install run; the window closes after "Install success!".
    void OnOK() override;

  private:
    LRESULT OnSysCommand(WPARAM command);
    LRESULT OnPaint();

    HICON icon_ = nullptr;
    // Declared last: every automation object of a run is gone before OLE ends.
    OleSession ole_;
};

}  // namespace tarnik::ostrel
