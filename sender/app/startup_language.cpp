#include "sender/app/startup_language.h"

#include <cstring>

namespace tarnik {

StartupChoice ChooseStartupLanguage(std::size_t characters_read, const char* value) {
    if (characters_read == 0 || value == nullptr) {
        return {StartupLanguage::Refused, kTextLanguageEmpty};
    }
    if (std::strcmp(value, "English") == 0) {
        return {StartupLanguage::English, nullptr};
    }
    if (std::strcmp(value, "Chinese") == 0) {
        return {StartupLanguage::Chinese, nullptr};
    }
    return {StartupLanguage::Refused, kTextLanguageUnknown};
}

}  // namespace tarnik
