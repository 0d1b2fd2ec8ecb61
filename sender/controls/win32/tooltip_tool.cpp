#include "sender/controls/win32/tooltip_tool.h"

namespace tarnik {

TOOLINFOW ToolInfoFor(HWND owner, HWND tool, wchar_t* text, UINT size) {
    TOOLINFOW info = {};
    info.cbSize = size;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    return info;
}

UINT AddToolToTooltip(HWND tooltip, HWND owner, HWND tool, wchar_t* text) {
    for (const UINT size : kToolInfoSizes) {
        TOOLINFOW info = ToolInfoFor(owner, tool, text, size);
        if (SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE) {
            return size;
        }
    }
    return 0;
}

}  // namespace tarnik
