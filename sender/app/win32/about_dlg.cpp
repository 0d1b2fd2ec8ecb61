#include "sender/app/win32/about_dlg.h"

#include "sender/res/resource.h"

namespace tarnik {

CAboutDlg::CAboutDlg() : ui::Dialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    SetDlgItemTextA(Handle(), IDC_ABOUT_PROGRAM, "2.X");
    return TRUE;
}

}  // namespace tarnik
