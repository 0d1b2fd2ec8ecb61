#include "sender/app/win32/plt_file_cfg.h"

#include "sender/res/resource.h"
#include "ui/win32/data_exchange.h"

namespace tarnik {

Cpltfilecfg::Cpltfilecfg() : ui::Dialog(IDD_PLTFILECFG) {}

void Cpltfilecfg::DoDataExchange(ui::DataExchange& exchange) {
    exchange.Int(IDC_LEFT_MARGIN, LeftMargin);
    exchange.Int(IDC_TOP_MARGIN, TopMargin);
    exchange.Float(IDC_FILE_WIDTH, Width);
    exchange.Float(IDC_FILE_HEIGHT, Height);
    exchange.Check(IDC_CUT_TO_FILE, CutToFile);
}

// Centred on the screen and above every other window: the dialog opens
// while the drawing program has the focus and must not hide behind it.
BOOL Cpltfilecfg::OnInitDialog() {
    file_size_group_.Attach(Item(IDC_FILE_SIZE_GROUP));
    margin_group_.Attach(Item(IDC_MARGIN_GROUP));
    ui::Dialog::OnInitDialog();
    RECT frame = {};
    GetWindowRect(Handle(), &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(Handle(), HWND_TOPMOST, left, top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    // Cut to file is a choice for one job only: never offered pre-ticked.
    CutToFile = 0;
    UpdateData(false);
    return TRUE;
}

}  // namespace tarnik
