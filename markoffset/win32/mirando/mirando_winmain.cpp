// Entry point of Mirando.exe: one dialog; closing it ends the program.
#include <windows.h>
// (after windows.h)
#include <commctrl.h>

#include "markoffset/win32/mirando/mirando_dlg.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    tarnik::CMirandoDlg dialog;
    dialog.DoModal(nullptr);
    return 0;
}
