#include "sender/controls/combo_completion.h"

#include <cstddef>

namespace tarnik {
namespace {

// ASCII letters only: the 8-bit texts of the lists (code page 936 in the
// Chinese program) have no other case pairs that the list would fold.
char FoldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool BeginsWith(const std::string& entry, const std::string& prefix) {
    if (entry.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (FoldCase(entry[i]) != FoldCase(prefix[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

Completion CompleteFromList(const std::string& typed, EditSelection selection,
                            const std::vector<std::string>& entries) {
    Completion result{-1, typed, selection};
    if (typed.empty()) {
        return result;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (BeginsWith(entries[i], typed)) {
            result.entry = static_cast<int>(i);
            result.text = entries[i];
            break;
        }
    }
    if (result.entry < 0) {
        return result;
    }
    const int typed_length = static_cast<int>(typed.size());
    // The caret at the end of the typed text: the completed tail is selected.
    if (selection.end >= typed_length || selection.end < 0) {
        result.selection = {typed_length, -1};
    }
    return result;
}

}  // namespace tarnik
