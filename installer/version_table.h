#pragma once
// The CorelDRAW versions the installer knows, one row per entry of its
// version list, in list order. Everything that differs between versions is
// a datum of its row, so the install operation has no per-version branches.
#include <cstddef>

namespace tarnik::installer {

// Which automation sequence drives the version.
enum class Sequence { kCorel11, kSuite };

// What a "VBA not available" answer does to the run.
enum class VbaRule {
    kStop,    // CorelDRAW 11: the macros cannot work, nothing is installed
    kWarn,    // CorelDRAW 12, X3, X4: the user is told, the run goes on
    kIgnore,  // X5 and later: the answer is not trusted, the run goes on
};

struct VersionRow {
    const char* list_text;
    const char* prog_id;
    // Shown when the ProgID cannot be created.
    const char* missing_message;
    Sequence sequence;
    VbaRule vba_rule;
    // Loaded into CorelDRAW from the source folder.
    const char* loaded_file;
    // Appended to the base folder CorelDRAW reports; null: the export
    // settings step is not run.
    const char* export_settings_path;
};

inline constexpr std::size_t kVersionCount = 12;
// The entry selected when the window opens (CorelDRAW Graphics Suite X4).
inline constexpr int kInitialVersionIndex = 3;

extern const VersionRow kVersionTable[kVersionCount];

// The row of a version list index, or null outside the table.
const VersionRow* VersionAt(int index);

// The index of the entry whose list text equals `text` exactly, or -1: the
// version box is editable, and a typed text that names no entry selects
// nothing.
int FindVersion(const char* text);

}  // namespace tarnik::installer
