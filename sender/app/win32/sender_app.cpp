#include "sender/app/win32/sender_app.h"

#include <commctrl.h>

#include <array>

#include "sender/app/settings_store.h"
#include "sender/app/startup_language.h"
#include "sender/app/win32/main_window.h"
#include "ui/win32/dialog.h"
#include "ui/win32/resources.h"

namespace tarnik {
namespace {

// Message box type of the start-up refusals: OK and Cancel, either ends.
constexpr UINT kRefusalBoxType = MB_OKCANCEL;
// Exit code of a second job sender.
constexpr int kAlreadyRunningExitCode = 1;

}  // namespace

CTestApp::~CTestApp() {
    if (english_library_ != nullptr) {
        ui::SetResourceModule(nullptr);
        FreeLibrary(english_library_);
    }
}

int CTestApp::Run() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    std::array<char, MAX_PATH + 1> module = {};
    GetModuleFileNameA(nullptr, module.data(), MAX_PATH);
    std::array<char, MAX_PATH + 1> settings_path = {};
    ComputeSettingsPath(module.data(), settings_path.data(), settings_path.size());

    std::array<char, kLanguageValueSize> language = {};
    const DWORD read =
        GetPrivateProfileStringA(kLanguageSection, kLanguageKey, kLanguageDefault, language.data(),
                                 static_cast<DWORD>(language.size()), settings_path.data());
    const StartupChoice choice = ChooseStartupLanguage(read, language.data());
    uint8_t english_ui = 0;
    switch (choice.language) {
        case StartupLanguage::Refused:
            ui::AppMessageBox(nullptr, choice.message, kRefusalBoxType);
            return 0;
        case StartupLanguage::English:
            english_library_ = LoadLibraryA(kEnglishLibrary);
            if (english_library_ == nullptr) {
                ui::AppMessageBox(nullptr, kTextEnglishLibraryMissing, kRefusalBoxType);
                return 0;
            }
            ui::SetResourceModule(english_library_);
            english_ui = 1;
            break;
        case StartupLanguage::Chinese:
            break;
    }

    if (FindWindowA(MAKEINTATOM(ui::kDialogClassAtom), kMainWindowTitle) != nullptr) {
        return kAlreadyRunningExitCode;
    }

    {
        CTestDlg main_window;
        main_window.EnglishUI = english_ui;
        main_window.DoModal(nullptr);
    }
    if (english_library_ != nullptr) {
        ui::SetResourceModule(nullptr);
        FreeLibrary(english_library_);
        english_library_ = nullptr;
    }
    return 0;
}

}  // namespace tarnik
