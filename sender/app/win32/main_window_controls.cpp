#include "sender/app/win32/main_window_controls.h"

#include "sender/res/resource.h"

namespace tarnik {
namespace {

// The main window's buttons draw in style 2 with 32 x 32 pixel icons.
constexpr int kButtonStyle = 2;
constexpr int kButtonIconSize = 32;

struct ButtonSetUp {
    CGuiButton MainWindowControls::*button;
    int id;
    int icon;
    const wchar_t* english;
    const wchar_t* chinese;
};

// Button 1003 gets its icon but no tooltip.
constexpr ButtonSetUp kButtons[] = {
    {&MainWindowControls::option, IDC_OPTION, IDI_OPTION, L"Option", L"设置参数"},
    {&MainWindowControls::spare, IDC_SPARE, IDI_SPARE, nullptr, nullptr},
    {&MainWindowControls::exit, IDOK, IDI_EXIT, L"Exit", L"关闭"},
    {&MainWindowControls::cut_from_file, IDC_CUT_FROM_FILE, IDI_CUT_FROM_FILE,
     L"Cutting from CorelDraw plt file", L"切割CORELDRAW导出的PLT文件"},
    {&MainWindowControls::cancel_work, IDC_CANCEL_WORK, IDI_CANCEL_WORK, L"Cancel work",
     L"取消切割数据"},
};

}  // namespace

void MainWindowControls::Attach(HWND window, bool english) {
    for (const ButtonSetUp& setup : kButtons) {
        CGuiButton& button = this->*setup.button;
        button.Attach(GetDlgItem(window, setup.id));
        button.SetStyle(kButtonStyle);
        button.SetIcon(setup.icon, kButtonIconSize);
        button.ShowIcon();
        if (setup.english != nullptr) {
            button.SetToolTipText(english ? setup.english : setup.chinese);
        }
    }
    auto_mode.Attach(GetDlgItem(window, IDC_AUTO_MODE));
    file_mode.Attach(GetDlgItem(window, IDC_FILE_MODE));
    signal_lamp.Attach(GetDlgItem(window, IDC_SIGNAL_LAMP));
    group.Attach(GetDlgItem(window, IDC_MAIN_GROUP));
}

}  // namespace tarnik
