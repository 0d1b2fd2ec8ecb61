#include "sender/app/startup_language.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarnik {
namespace {

TEST(StartupLanguage, ValuesOfLanAndTheirOutcome) {
    struct Case {
        const char* label;
        const char* value;
        StartupLanguage language;
        const char* message;
    };
    const Case cases[] = {
        {"Chinese", "Chinese", StartupLanguage::Chinese, nullptr},
        {"English", "English", StartupLanguage::English, nullptr},
        {"present but empty", "", StartupLanguage::Refused, kTextLanguageEmpty},
        {"missing key gives the default", kLanguageDefault, StartupLanguage::Refused,
         kTextLanguageUnknown},
        {"wrong case", "english", StartupLanguage::Refused, kTextLanguageUnknown},
        {"upper case", "CHINESE", StartupLanguage::Refused, kTextLanguageUnknown},
        {"trailing blank", "English ", StartupLanguage::Refused, kTextLanguageUnknown},
        {"prefix only", "Eng", StartupLanguage::Refused, kTextLanguageUnknown},
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

TEST(StartupLanguage, TheFixedMessagesAreWordForWord) {
    EXPECT_STREQ(kTextLanguageEmpty, "tarnik.ini file is wrong!LAN=?");
    EXPECT_STREQ(kTextLanguageUnknown, "LAN=? in tarnik.ini");
    EXPECT_STREQ(kTextEnglishLibraryMissing, "Failed to load (Anglet.dll)the localized resources!");
}

}  // namespace
}  // namespace tarnik
