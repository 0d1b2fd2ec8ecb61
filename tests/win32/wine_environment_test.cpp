// The Windows tests run under Wine with the Chinese locale: the ANSI code
// page must be 936, or every Chinese resource text would turn into "?".
#include <gtest/gtest.h>
#include <windows.h>

TEST(WineEnvironment, AnsiCodePageIsChinese) {
    EXPECT_EQ(GetACP(), 936u);
}

TEST(WineEnvironment, TemporaryFolderEndsWithBackslash) {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, buffer);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(buffer[length - 1], '\\');
}
