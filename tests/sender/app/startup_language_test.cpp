#include "sender/app/startup_language.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarnik {
namespace {

// The refusals as the user reads them, word for word; the message without
// the English library is checked where the start shows it (under Wine).
TEST(StartupLanguage, ValuesOfLanAndTheirOutcome) {
    constexpr char kEmpty[] = "tarnik.ini file is wrong!LAN=?";
    constexpr char kUnknown[] = "LAN=? in tarnik.ini";
    struct Case {
        const char* label;
        const char* value;
        StartupLanguage language;
        const char* message;
    };
    const Case cases[] = {
        {"Chinese", "Chinese", StartupLanguage::Chinese, nullptr},
        {"English", "English", StartupLanguage::English, nullptr},
        {"present but empty", "", StartupLanguage::Refused, kEmpty},
        {"missing key gives the default", kLanguageDefault, StartupLanguage::Refused, kUnknown},
        {"wrong case", "english", StartupLanguage::Refused, kUnknown},
        {"upper case", "CHINESE", StartupLanguage::Refused, kUnknown},
        {"trailing blank", "English ", StartupLanguage::Refused, kUnknown},
        {"prefix only", "Eng", StartupLanguage::Refused, kUnknown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const StartupChoice choice = ChooseStartupLanguage(std::strlen(c.value), c.value);
        EXPECT_EQ(choice.language, c.language);
        if (c.message == nullptr) {
            EXPECT_EQ(choice.message, nullptr);
        } else {
            ASSERT_NE(choice.message, nullptr);
            EXPECT_STREQ(choice.message, c.message);
        }
    }
}

}  // namespace
}  // namespace tarnik
