#pragma once
// Registering a tool with a tooltip control in a size every loaded common
// controls library takes. The programs' manifest names no common controls
// 6, so Windows loads comctl32 5.x, which refuses the newest TOOLINFO size
// (the one with lpReserved) that the headers give by default; Wine's
// library takes any size, so only the size chosen here keeps the tooltips
// on Windows.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstddef>

namespace tarnik {

// The sizes tried, largest first: the one comctl32 4.70 to 5.x knows (up to
// lParam: TTTOOLINFOW_V2_SIZE), then the first one of all (up to lpszText:
// TTTOOLINFOW_V1_SIZE). The headers' macros are no constant expressions.
inline constexpr UINT kToolInfoSizes[] = {
    static_cast<UINT>(offsetof(TOOLINFOW, lParam) + sizeof(LPARAM)),
    static_cast<UINT>(offsetof(TOOLINFOW, lpszText) + sizeof(LPWSTR)),
};

// The tool `tool` (a child of `owner`, known by its window handle) with its
// tip `text`, ready for TTM_ADDTOOLW and TTM_UPDATETIPTEXTW.
TOOLINFOW ToolInfoFor(HWND owner, HWND tool, wchar_t* text, UINT size);

// Adds the tool to `tooltip`, trying each size of kToolInfoSizes until one
// is taken. Returns the size taken, 0 when the tooltip took none.
UINT AddToolToTooltip(HWND tooltip, HWND owner, HWND tool, wchar_t* text);

}  // namespace tarnik
