#include "sender/controls/combo_completion.h"

#include <gtest/gtest.h>

namespace tarnik {
namespace {

TEST(ComboCompletion, FirstEntryBeginningWithTheTypedText) {
    const std::vector<std::string> entries = {"COM1", "COM12", "Com2", "USB001", "Zeta", "zoo"};
    struct Case {
        const char* label;
        const char* typed;
        EditSelection selection;
        int entry;
        const char* text;
        EditSelection shown;
    };
    const Case cases[] = {
        {"caret at the end: the tail is selected", "CO", {2, 2}, 0, "COM1", {2, -1}},
        {"letter case aside", "usb", {3, 3}, 3, "USB001", {3, -1}},
        {"the first of several matches", "com1", {4, 4}, 0, "COM1", {4, -1}},
        {"caret inside: the selection stays", "COM", {1, 1}, 0, "COM1", {1, 1}},
        {"a selection inside stays", "COM", {0, 2}, 0, "COM1", {0, 2}},
        {"no match: text and caret as typed", "COX", {1, 1}, -1, "COX", {1, 1}},
        {"no match at the end", "LPT", {3, 3}, -1, "LPT", {3, 3}},
        {"longer than every entry", "COM123", {6, 6}, -1, "COM123", {6, 6}},
        {"an emptied edit stays empty", "", {0, 0}, -1, "", {0, 0}},
        {"the alphabet's end: z finds Zeta", "z", {1, 1}, 4, "Zeta", {1, -1}},
        {"the alphabet's end: ZO finds zoo", "ZO", {2, 2}, 5, "zoo", {2, -1}},
        {"past the alphabet's end: no match", "z{", {2, 2}, -1, "z{", {2, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const Completion got = CompleteFromList(c.typed, c.selection, entries);
        EXPECT_EQ(got.entry, c.entry);
        EXPECT_EQ(got.text, c.text);
        EXPECT_EQ(got.selection.start, c.shown.start);
        EXPECT_EQ(got.selection.end, c.shown.end);
    }
}

}  // namespace
}  // namespace tarnik
