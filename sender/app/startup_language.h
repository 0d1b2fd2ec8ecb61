#pragma once
// The start-up decision of the job sender: which resources to use, from the
// value of "Language"/"Lan" in the settings file, and which fixed English
// message ends the start when the value is no language. The messages are
// English because they appear before any resource library is chosen.
#include <cstddef>

namespace tarnik {

inline constexpr char kLanguageSection[] = "Language";
inline constexpr char kLanguageKey[] = "Lan";
// What the read gives when the key is missing: no language, as any other
// unknown value.
inline constexpr char kLanguageDefault[] = "default.fil";
// Buffer of the read, terminator included: at most 49 characters.
inline constexpr std::size_t kLanguageValueSize = 50;

inline constexpr char kEnglishLibrary[] = "Anglet.dll";

inline constexpr char kTextLanguageEmpty[] = "tarnik.ini file is wrong!LAN=?";
inline constexpr char kTextLanguageUnknown[] = "LAN=? in tarnik.ini";
inline constexpr char kTextEnglishLibraryMissing[] =
    "Failed to load (Anglet.dll)the localized resources!";

// Caption of the main window: how the single-instance check and the drawing
// program's macros find it (with the standard dialog class).
inline constexpr char kMainWindowTitle[] = "Tarnik";

enum class StartupLanguage {
    Chinese,  // the program's own resources
    English,  // load kEnglishLibrary and take every resource from it
    Refused,  // show `message` and end
};

struct StartupChoice {
    StartupLanguage language;
    const char* message;  // null unless Refused
};

// `characters_read` is what the profile read returned (0 for a key that is
// present but empty), `value` the text it stored. The names are compared
// whole and case-sensitively: "english" is no language.
StartupChoice ChooseStartupLanguage(std::size_t characters_read, const char* value);

}  // namespace tarnik
