// The tooltips' size choice against stand-ins of the tooltip control as the
// common controls libraries of Windows answer TTM_ADDTOOLW (Wine's takes
// every size), and the application manifest both programs carry.
#include "sender/controls/win32/tooltip_tool.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnik {
namespace {

// The largest TOOLINFOW size the stand-in takes; 0 takes none.
UINT g_largest_taken = 0;

LRESULT CALLBACK StandInTooltip(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == TTM_ADDTOOLW) {
        const auto* info = reinterpret_cast<const TOOLINFOW*>(lparam);
        return info->cbSize <= g_largest_taken ? TRUE : FALSE;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

HWND MakeStandIn() {
    WNDCLASSW window_class = {};
    window_class.lpfnWndProc = &StandInTooltip;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"TarnikStandInTooltip";
    RegisterClassW(&window_class);
    return CreateWindowExW(0, L"TarnikStandInTooltip", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

TEST(TooltipTool, RegistersInASizeTheLoadedLibraryTakes) {
    const struct {
        const char* label;
        UINT largest_taken;
        UINT registered;
    } cases[] = {
        {"common controls 6: every size", sizeof(TOOLINFOW), TTTOOLINFOW_V2_SIZE},
        {"comctl32 5.x (no manifest naming 6)", TTTOOLINFOW_V2_SIZE, TTTOOLINFOW_V2_SIZE},
        {"comctl32 4.0", TTTOOLINFOW_V1_SIZE, TTTOOLINFOW_V1_SIZE},
        {"a library that takes none", 0, 0},
    };
    HWND tooltip = MakeStandIn();
    ASSERT_NE(tooltip, nullptr);
    wchar_t text[] = L"tip";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        g_largest_taken = c.largest_taken;
        EXPECT_EQ(AddToolToTooltip(tooltip, tooltip, tooltip, text), c.registered);
    }
    DestroyWindow(tooltip);
}

std::string ManifestOf(const char* program) {
    HMODULE module = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        return {};
    }
    std::string text;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    if (loaded != nullptr) {
        text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

TEST(ApplicationManifest, BothProgramsRunAsInvokerWithTheClassicControlsUnscaled) {
    const char* const required[] = {
        "level=\"asInvoker\"",
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
        "WindowsSettings\">false</dpiAware>",
    };
    // The build gives Linux paths: drive Z: is the root under Wine.
    for (const char* program : {"Z:" TARNIK_EXE, "Z:" TARNIK_MIRANDO_EXE}) {
        SCOPED_TRACE(program);
        const std::string manifest = ManifestOf(program);
        ASSERT_FALSE(manifest.empty());
        for (const char* text : required) {
            EXPECT_NE(manifest.find(text), std::string::npos) << text;
        }
        // Common controls 6 would bring the themed controls and take the
        // tooltip sizes of kToolInfoSizes for granted: neither is wanted.
        EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
    }
}

}  // namespace
}  // namespace tarnik
