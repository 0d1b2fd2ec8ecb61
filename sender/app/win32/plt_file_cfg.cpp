#include "sender/app/win32/plt_file_cfg.h"

#include <cstdlib>

#include "sender/app/cut_plan_settings.h"
#include "sender/app/file_settings_rules.h"
#include "sender/res/resource.h"
#include "ui/win32/data_exchange.h"
#include "ui/win32/resources.h"

namespace tarnik {

namespace {

constexpr int kCutOrderStrings[kCutOrderEntries] = {IDS_ORDER_DRAWN, IDS_ORDER_INSIDE,
                                                    IDS_ORDER_SHORTEST};

}  // namespace

Cpltfilecfg::Cpltfilecfg() : ui::Dialog(IDD_PLTFILECFG) {
    OnCommand(IDC_CUT_ORDER, CBN_SELCHANGE, [this] { ShowLineTime(); });
    OnCommand(IDC_PANEL_LENGTH, EN_KILLFOCUS, [this] { ShowLineTime(); });
}

void Cpltfilecfg::ShowLineTime() {
    CutPlanOptions options;
    const auto index =
        static_cast<int>(SendDlgItemMessageA(Handle(), IDC_CUT_ORDER, CB_GETCURSEL, 0, 0));
    options.Order = CutOrderFromListIndex(index);
    char panel[32] = {};
    GetDlgItemTextA(Handle(), IDC_PANEL_LENGTH, panel, sizeof panel);
    options.PanelLength = BoundedPanelLength(std::strtod(panel, nullptr));
    const std::optional<uint64_t> bytes = EstimateBytes ? EstimateBytes(options) : std::nullopt;
    SetDlgItemTextA(Handle(), IDC_LINE_TIME,
                    LineTimeText(ui::LoadResourceString(IDS_LINE_TIME), bytes).c_str());
}

void Cpltfilecfg::DoDataExchange(ui::DataExchange& exchange) {
    exchange.Int(IDC_LEFT_MARGIN, LeftMargin);
    exchange.Int(IDC_TOP_MARGIN, TopMargin);
    exchange.Float(IDC_FILE_WIDTH, Width);
    exchange.Float(IDC_FILE_HEIGHT, Height);
    exchange.Check(IDC_CUT_TO_FILE, CutToFile);
    exchange.ListIndex(IDC_CUT_ORDER, OrderIndex);
    exchange.Float(IDC_PANEL_LENGTH, PanelLength);
    exchange.FloatRange(IDC_PANEL_LENGTH, PanelLength, 0.0f, kMaxPanelLengthMm);
}

// Centred on the screen and above every other window: the dialog opens
// while the drawing program has the focus and must not hide behind it.
BOOL Cpltfilecfg::OnInitDialog() {
    file_size_group_.Attach(Item(IDC_FILE_SIZE_GROUP));
    margin_group_.Attach(Item(IDC_MARGIN_GROUP));
    cut_order_group_.Attach(Item(IDC_CUT_ORDER_GROUP));
    for (const int id : kCutOrderStrings) {
        SendDlgItemMessageA(Handle(), IDC_CUT_ORDER, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(ui::LoadResourceString(id).c_str()));
    }
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
    ShowLineTime();
    return TRUE;
}

}  // namespace tarnik
