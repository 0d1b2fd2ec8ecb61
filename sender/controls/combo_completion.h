#pragma once
// Typing completion of the combo box with an edit: after each change of the
// edit, the first list entry that begins with the typed text (letter case
// aside, as the list's own prefix search compares) takes the edit's place,
// and the part the user has not typed is selected so that typing on
// replaces it.
#include <string>
#include <vector>

namespace tarnik {

struct EditSelection {
    int start = 0;
    int end = 0;  // -1: to the end of the text
};

struct Completion {
    int entry = -1;  // the list entry chosen; -1 when none begins with the text
    std::string text;
    EditSelection selection;
};

// What the edit shows after `typed` was typed with `selection` as the
// edit's selection. Nothing typed completes to nothing: an emptied edit
// stays empty.
Completion CompleteFromList(const std::string& typed, EditSelection selection,
                            const std::vector<std::string>& entries);

}  // namespace tarnik
