#include "installer/win32/ostrel_app.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "installer/win32/ostrel_dlg.h"

namespace tarnik::ostrel {

int COstrelApp::Run() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    COstrelDlg dialog;
    dialog.DoModal(nullptr);
    return 0;
}

}  // namespace tarnik::ostrel
