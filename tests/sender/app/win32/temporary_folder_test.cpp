// The export folder on Windows is the system temporary folder.
#include <gtest/gtest.h>

#include <string>

#include "sender/app/settings_store.h"

namespace tarnik {
namespace {

TEST(Win32TemporaryFolder, EndsWithABackslashAndRefusesASmallBuffer) {
    char buffer[kSettingsPathSize];
    ASSERT_TRUE(SystemTemporaryFolder(buffer, sizeof buffer));
    const std::string folder = buffer;
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    char small[4] = "x";
    EXPECT_FALSE(SystemTemporaryFolder(small, sizeof small));
    EXPECT_STREQ(small, "");
}

}  // namespace
}  // namespace tarnik
