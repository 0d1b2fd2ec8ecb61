// The balloons that end a send, as the program's string table holds them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "sender/res/resource.h"

namespace tarnik {
namespace {

std::wstring Wide(const char* utf8) {
    wchar_t text[128] = {};
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text, 128);
    return text;
}

TEST(SendStrings, FinishedAndStoppedHaveTextsOfTheirOwn) {
    struct Case {
        const char* label;
        int id;
        const char* text;
    };
    const Case cases[] = {
        {"sent whole", IDS_SEND_FINISHED, "发送完毕！"},
        {"cancelled or failed", IDS_SEND_STOPPED, "发送已中止！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        wchar_t loaded[128] = {};
        ASSERT_GT(LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(c.id), loaded, 128), 0);
        EXPECT_EQ(std::wstring(loaded), Wide(c.text));
    }
}

}  // namespace
}  // namespace tarnik
