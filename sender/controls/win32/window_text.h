#pragma once
// A window's text as UTF-16, whatever character set the window has.
#include <windows.h>

#include <string>

namespace tarnik {

// GetWindowTextLengthW may count bytes of the ANSI text for a window made
// with the ANSI calls (two for each Chinese character): the text is cut to
// the characters GetWindowTextW really copied, so no trailing zeros are
// measured or drawn as part of it.
std::wstring WindowTextW(HWND window);

}  // namespace tarnik
