// Chinese resource texts of Mirando and Ostrel reach the screen as UTF-16,
// whatever the ANSI code page: the system menu's About item and Mirando's
// About box, from the programs' own resources. The README's test command
// runs these cases again under code page 1252 (wine_code_page_1252), where
// the ANSI calls turn the Chinese into "?".
#include "ui/win32/wide_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui/win32/dialog.h"
#include "ui/win32/resources.h"

namespace tarnik::ui {
namespace {

constexpr UINT kAboutString = 101;  // both programs' About item
constexpr UINT kAboutCommand = 0x0010;
constexpr UINT kMirandoAboutBox = 100;

// A program's resources, loaded as data (its code never runs).
class ProgramResources {
  public:
    explicit ProgramResources(const char* linux_path) {
        std::string path = std::string("Z:") + linux_path;
        for (char& c : path) {
            c = c == '/' ? '\\' : c;
        }
        module_ = LoadLibraryExA(path.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        SetResourceModule(module_);
    }
    ~ProgramResources() {
        SetResourceModule(nullptr);
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    bool Loaded() const { return module_ != nullptr; }

  private:
    HMODULE module_ = nullptr;
};

// The Chinese texts only match when the ANSI road is not taken; show that
// the road would lose them here (outside code page 936).
TEST(WideText, AnsiCallLosesTheChineseOutside936) {
    if (GetACP() == 936) {
        GTEST_SKIP() << "code page 936 holds the Chinese texts";
    }
    ProgramResources mirando(TARNIK_MIRANDO_EXE);
    ASSERT_TRUE(mirando.Loaded());
    EXPECT_EQ(LoadResourceString(kAboutString), "?? Mirando(&A)...");
}

TEST(WideText, SystemMenuAboutItem) {
    const struct {
        const char* label;
        const char* program;
        const wchar_t* item;
    } cases[] = {
        {"Mirando", TARNIK_MIRANDO_EXE, L"\u5173\u4e8e Mirando(&A)..."},
        {"Ostrel", TARNIK_OSTREL_EXE, L"\u5173\u4e8e ostrel(&A)..."},
    };
    for (const auto& c : cases) {
        ProgramResources program(c.program);
        ASSERT_TRUE(program.Loaded()) << c.label;
        HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                      nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr) << c.label;
        EXPECT_TRUE(AppendSystemMenuItem(window, kAboutString, kAboutCommand)) << c.label;
        wchar_t item[64] = {};
        GetMenuStringW(GetSystemMenu(window, FALSE), kAboutCommand, item, 64, MF_BYCOMMAND);
        EXPECT_EQ(std::wstring(item), c.item) << c.label;
        DestroyWindow(window);
    }
}

// Reads its caption and OK button as they are shown, then closes.
class ShownTexts : public Dialog {
  public:
    ShownTexts() : Dialog(kMirandoAboutBox) {}
    std::wstring caption;
    std::wstring button;

  protected:
    BOOL OnInitDialog() override {
        wchar_t text[64] = {};
        GetWindowTextW(Handle(), text, 64);
        caption = text;
        GetWindowTextW(Item(IDOK), text, 64);
        button = text;
        EndDialog(IDOK);
        return TRUE;
    }
};

TEST(WideText, MirandoAboutBox) {
    ProgramResources mirando(TARNIK_MIRANDO_EXE);
    ASSERT_TRUE(mirando.Loaded());
    ShownTexts about;
    ASSERT_EQ(about.DoModalWide(nullptr), IDOK);
    EXPECT_EQ(about.caption, L"\u5173\u4e8e Mirando");
    EXPECT_EQ(about.button, L"\u786e\u5b9a");
}

}  // namespace
}  // namespace tarnik::ui
