#include "sender/app/settings_dialog_rules.h"

#include <gtest/gtest.h>

namespace tarnik {
namespace {

TEST(SettingsDialogPortList, HoldsEveryPortOfTheChosenKind) {
    const struct {
        const char* label;
        int32_t port_type;
        std::size_t count;
        const char* first;
        const char* last;
    } cases[] = {
        {"serial", 0, 254, "COM1", "COM254"},
        {"USB printer port", 1, 19, "USB001", "USB019"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const auto entries = PortListEntries(c.port_type);
        ASSERT_EQ(entries.size(), c.count);
        EXPECT_EQ(entries.front(), c.first);
        EXPECT_EQ(entries.back(), c.last);
    }
    EXPECT_EQ(PortListEntries(0)[9], "COM10");
    EXPECT_EQ(PortListEntries(1)[9], "USB010");
}

TEST(SettingsDialogPortList, SelectsTheStoredPortOfTheKindShown) {
    const struct {
        const char* label;
        int32_t port_type;
        uint8_t com;
        uint8_t usb;
        int selection;
    } cases[] = {
        {"COM3 shown while USB005 is stored too", 0, 3, 5, 2},
        {"USB005 shown while COM3 is stored too", 1, 3, 5, 4},
        {"port 0 selects nothing", 0, 0, 5, -1},
        {"USB000 selects nothing", 1, 3, 0, -1},
        {"the last COM port", 0, 254, 1, 253},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        SenderSettings settings;
        settings.PortType = c.port_type;
        settings.CurrentCom = c.com;
        settings.USBPort = c.usb;
        EXPECT_EQ(PortListSelection(settings), c.selection);
    }
}

TEST(SettingsDialogSelections, StoreWhatTheSelectionStandsFor) {
    EXPECT_EQ(PortNumberFromSelection(-1), 0);
    EXPECT_EQ(PortNumberFromSelection(0), 1);
    EXPECT_EQ(PortNumberFromSelection(253), 254);

    const struct {
        const char* label;
        uint8_t stored;
        int selection;
    } colours[] = {
        {"none", 0, 0},
        {"blue", 1, 1},
        {"red", 2, 2},
        {"nothing selected before", 255, -1},
        {"negative as a signed byte", 200, -56},
    };
    for (const auto& c : colours) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(MarkColourSelection(c.stored), c.selection);
    }
    EXPECT_EQ(FlagColorFromSelection(-1), 255);
    EXPECT_EQ(FlagColorFromSelection(2), 2);
    // What OK stores with nothing selected reads back as nothing selected.
    EXPECT_EQ(MarkColourSelection(FlagColorFromSelection(-1)), -1);
}

TEST(SettingsDialogWaitSecond, StoredValuesOutsideTheRangeAreBroughtIntoIt) {
    const struct {
        int32_t stored;
        int32_t shown;
    } cases[] = {{0, 1}, {-7, 1}, {1, 1}, {3, 3}, {5, 5}, {6, 5}, {1000000, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(WaitSecondInRange(c.stored), c.shown);
    }
}

}  // namespace
}  // namespace tarnik
