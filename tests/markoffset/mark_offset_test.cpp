// The mark-offset tool's rules and its Modify sequence over a recording
// fake of the job port: one table per behaviour, a label per case.
#include "markoffset/mark_offset.h"

#include <gtest/gtest.h>

#include "markoffset/modify_sequence.h"
#include "support/test_files.h"
#include "tests/sender/transport/fake_send_seams.h"

namespace tarnik::markoffset {
namespace {

using testing::serial_send::EventLog;
using testing::serial_send::FakeJobPort;

MarkOffsets Offsets(const char* upper, const char* lower, const char* left, const char* right) {
    return MarkOffsets{upper, lower, left, right};
}

TEST(MarkOffsetCommands, PairsChooseTheirValueByTextComparisonWithZero) {
    struct Case {
        const char* label;
        MarkOffsets offsets;
        const char* expected;
    } cases[] = {
        {"all four 0.00: lower and right with their fixed signs",
         Offsets("0.00", "0.00", "0.00", "0.00"), "$A,0.00;\r\n$B,-0.00;\r\n$$\r\n"},
        {"upper 1.20", Offsets("1.20", "0.00", "0.00", "0.00"), "$A,-1.20;\r\n$B,-0.00;\r\n$$\r\n"},
        {"lower 1.20", Offsets("0.00", "1.20", "0.00", "0.00"), "$A,1.20;\r\n$B,-0.00;\r\n$$\r\n"},
        {"left 0.50", Offsets("0.00", "0.00", "0.50", "0.00"), "$A,0.00;\r\n$B,0.50;\r\n$$\r\n"},
        {"right 0.50", Offsets("0.00", "0.00", "0.00", "0.50"), "$A,0.00;\r\n$B,-0.50;\r\n$$\r\n"},
        {"an unformatted 0 kept by the Enter key counts as a value",
         Offsets("0", "1.00", "0.00", "0.00"), "$A,-0;\r\n$B,-0.00;\r\n$$\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MarkOffsetCommands(c.offsets, false), c.expected) << c.label;
        EXPECT_EQ(MarkOffsetCommands(c.offsets, true), LeadIn() + c.expected) << c.label;
    }
    const std::string lead_in = LeadIn();
    EXPECT_EQ(lead_in.size(), 109u);
    EXPECT_EQ(lead_in.find_first_not_of(' '), 62u);
    EXPECT_EQ(lead_in.substr(62, 2), "\t\t");
    EXPECT_EQ(lead_in.find_first_not_of(' ', 64), std::string::npos);
}

TEST(MarkOffsetFormat, LeadingNumberWithTwoDecimals) {
    struct Case {
        const char* label;
        const char* text;
        const char* expected;
    } cases[] = {
        {"one decimal", "1.5", "1.50"},
        {"whole number", "2", "2.00"},
        {"empty", "", "0.00"},
        {"two points stop the number", "1.2.3", "1.20"},
        {"only a point", ".", "0.00"},
        {"leading point", ".75", "0.75"},
        {"rounded to two decimals", "0.125", "0.12"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatOffset(c.text), c.expected) << c.label;
    }
}

TEST(MarkOffsetValidate, ValidTextClearsPartnerRefusedTextIsReset) {
    struct Case {
        const char* label;
        OffsetField field;
        const char* typed;
        bool accepted;
        MarkOffsets after;
    } cases[] = {
        {"upper clears lower", OffsetField::kUpper, "1.5", true, Offsets("1.5", "0.00", "9", "9")},
        {"lower clears upper", OffsetField::kLower, "2", true, Offsets("0.00", "2", "9", "9")},
        {"left clears right", OffsetField::kLeft, "", true, Offsets("9", "9", "", "0.00")},
        {"right clears left", OffsetField::kRight, "1..2", true, Offsets("9", "9", "0.00", "1..2")},
        {"a minus sign is refused, the partner kept", OffsetField::kUpper, "-1", false,
         Offsets("0.00", "9", "9", "9")},
        {"a letter is refused", OffsetField::kRight, "1a", false, Offsets("9", "9", "9", "0.00")},
        {"a typed 9 is a digit", OffsetField::kLower, "9.09", true,
         Offsets("0.00", "9.09", "9", "9")},
        {"the signs beside the digits are refused", OffsetField::kLeft, "1/2:", false,
         Offsets("9", "9", "0.00", "9")},
    };
    for (const Case& c : cases) {
        MarkOffsets offsets = Offsets("9", "9", "9", "9");
        OffsetOf(offsets, c.field) = c.typed;
        EXPECT_EQ(ValidateOffset(offsets, c.field), c.accepted) << c.label;
        EXPECT_EQ(offsets.upper, c.after.upper) << c.label;
        EXPECT_EQ(offsets.lower, c.after.lower) << c.label;
        EXPECT_EQ(offsets.left, c.after.left) << c.label;
        EXPECT_EQ(offsets.right, c.after.right) << c.label;
    }
}

// The Port box takes typing: a typed name of a listed port is that port.
TEST(MarkOffsetPortBox, TypedTextNamesAListedPort) {
    struct Case {
        const char* label;
        const char* text;
        int index;
    } cases[] = {
        {"picked from the list", "COM1", 0},
        {"typed in lower case (mended: port 0)", "com3", 2},
        {"the last listed port", "COM20", 19},
        {"blanks around the name", " COM7 ", 6},
        {"beyond the list", "COM21", -1},
        {"a leading zero names no entry", "COM03", -1},
        {"no number", "COM", -1},
        {"empty", "", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ListedPortIndex(c.text), c.index) << c.label;
    }
}

TEST(MarkOffsetSaveName, ExtensionComparedLowerCased) {
    struct Case {
        const char* label;
        const char* chosen;
        const char* saved;
    } cases[] = {
        {"no extension", "C:\\out\\job", "C:\\out\\job.plt"},
        {"upper-case PLT kept", "C:\\out\\job.PLT", "C:\\out\\job.PLT"},
        {"other extension", "C:\\out\\job.txt", "C:\\out\\job.txt.plt"},
        {"point in a folder name only", "/tmp/a.b/job", "/tmp/a.b/job.plt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PltSavePath(c.chosen), c.saved) << c.label;
    }
}

// Every row of the failure table, with what happens on the port.
TEST(MarkOffsetModify, EachSituationGivesItsMessageAndDialogState) {
    const std::string commands = MarkOffsetCommands(MarkOffsets{}, true);
    const BlockPoll kBlankDone{BlockState::Done, 1};
    const BlockPoll kPending{BlockState::Pending, 0};
    struct Case {
        const char* label;
        int combo_index;
        bool open_succeeds;
        bool write_succeeds;
        std::deque<BlockPoll> polls;
        DrainState drain;
        ModifyOutcome outcome;
        const char* message;
        bool closes;
    } cases[] = {
        {"commands sent",
         2,
         true,
         true,
         {},
         DrainState::Done,
         ModifyOutcome::kSent,
         kTextSetSuccess,
         true},
        {"port can't be opened",
         2,
         false,
         true,
         {},
         DrainState::Done,
         ModifyOutcome::kPortUnusable,
         kTextPortUnusable,
         false},
        {"no port selected is port 0",
         -1,
         true,
         true,
         {},
         DrainState::Done,
         ModifyOutcome::kPortUnusable,
         kTextPortUnusable,
         false},
        {"first blank refused at once",
         2,
         true,
         false,
         {},
         DrainState::Done,
         ModifyOutcome::kNotOnline,
         kTextOnlinePlease,
         false},
        {"second blank still pending after a second",
         2,
         true,
         true,
         {kBlankDone, kPending, kPending},
         DrainState::Done,
         ModifyOutcome::kNotOnline,
         kTextOnlinePlease,
         false},
        {"commands fail",
         2,
         true,
         true,
         {kBlankDone, kBlankDone, {BlockState::Failed, 0}},
         DrainState::Done,
         ModifyOutcome::kWriteFailed,
         kTextWritePortFailed,
         false},
        {"commands short",
         2,
         true,
         true,
         {kBlankDone, kBlankDone, {BlockState::Done, uint32_t(commands.size() - 1)}},
         DrainState::Done,
         ModifyOutcome::kWriteFailed,
         kTextWritePortFailed,
         false},
        {"commands take more than a second",
         2,
         true,
         true,
         {kBlankDone, kBlankDone, kPending, kPending},
         DrainState::Done,
         ModifyOutcome::kWriteFailed,
         kTextWritePortFailed,
         false},
        {"commands done after the second's wait",
         2,
         true,
         true,
         {kBlankDone, kBlankDone, kPending, {BlockState::Done, uint32_t(commands.size())}},
         DrainState::Done,
         ModifyOutcome::kSent,
         kTextSetSuccess,
         true},
        {"bytes never leave the port",
         2,
         true,
         true,
         {},
         DrainState::Failed,
         ModifyOutcome::kNotOnline,
         kTextOnlinePlease,
         false},
    };
    for (const Case& c : cases) {
        EventLog log;
        FakeJobPort port(log);
        port.open_succeeds = c.open_succeeds;
        port.write_succeeds = c.write_succeeds;
        port.scripted_polls = c.polls;
        port.drain_start = c.drain;
        const ModifyOutcome outcome =
            SendMarkOffset(port, ComNumberOfIndex(c.combo_index), commands, [](uint32_t) {});
        EXPECT_EQ(outcome, c.outcome) << c.label;
        EXPECT_STREQ(OutcomeMessage(outcome), c.message) << c.label;
        EXPECT_EQ(OutcomeClosesDialog(outcome), c.closes) << c.label;
        const bool opened = c.open_succeeds && c.combo_index >= 0;
        // After a successful open the port is always purged and closed.
        const std::string purge = c.closes ? "purge rx" : "purge all";
        ASSERT_EQ(log.size() >= 2 && log[log.size() - 2] == purge && log.back() == "close", opened)
            << c.label;
        EXPECT_FALSE(port.IsOpen()) << c.label;
        if (outcome == ModifyOutcome::kSent) {
            EXPECT_EQ(std::string(port.written.begin(), port.written.end()), "  " + commands)
                << c.label;
        }
    }
}

// A write can be done while its bytes sit in the transmit queue: each one
// drains before the next purge, the commands before the final purge and
// close; a drained queue is not purged on its transmit side.
TEST(MarkOffsetModify, EveryWriteDrainsBeforeTheNextPurge) {
    EventLog log;
    FakeJobPort port(log);
    std::vector<uint32_t> waits;
    const std::string commands = MarkOffsetCommands(MarkOffsets{}, true);
    ASSERT_EQ(SendMarkOffset(port, 20, commands, [&](uint32_t ms) { waits.push_back(ms); }),
              ModifyOutcome::kSent);
    const std::string size = std::to_string(commands.size());
    EXPECT_EQ(log, (EventLog{"purge all", "write 1", "drain", "purge rx", "write 1", "drain",
                             "purge rx", "write " + size, "drain", "purge rx", "close"}));
    EXPECT_TRUE(waits.empty());
}

TEST(MarkOffsetModify, SlowWriteWaitsOneSecondAndDrainIsBounded) {
    struct Case {
        const char* label;
        std::deque<BlockPoll> polls;
        DrainState drain_start, drain_poll;
        ModifyOutcome outcome;
        size_t waits;
    } cases[] = {
        {"pending write looked at again after one second",
         {{BlockState::Pending, 0}, {BlockState::Done, 1}},
         DrainState::Done,
         DrainState::Done,
         ModifyOutcome::kSent,
         1},
        {"drain that ends on its first look",
         {},
         DrainState::Pending,
         DrainState::Done,
         ModifyOutcome::kSent,
         3},
        {"drain that never ends gives up after a second",
         {},
         DrainState::Pending,
         DrainState::Pending,
         ModifyOutcome::kNotOnline,
         kDrainWaitMs / kDrainStepMs},
    };
    for (const Case& c : cases) {
        EventLog log;
        FakeJobPort port(log);
        port.scripted_polls = c.polls;
        port.drain_start = c.drain_start;
        port.drain_poll = c.drain_poll;
        std::vector<uint32_t> waits;
        const ModifyOutcome outcome =
            SendMarkOffset(port, 1, "$$\r\n", [&](uint32_t ms) { waits.push_back(ms); });
        EXPECT_EQ(outcome, c.outcome) << c.label;
        EXPECT_EQ(waits.size(), c.waits) << c.label;
        if (!waits.empty()) {
            EXPECT_EQ(waits.front(), c.polls.empty() ? kDrainStepMs : kWriteWaitMs) << c.label;
        }
    }
}

// A port whose every drain takes `drain_polls` looks before it is done.
class SlowDrainPort : public FakeJobPort {
  public:
    SlowDrainPort(EventLog& log, int drain_polls) : FakeJobPort(log), drain_polls_(drain_polls) {}
    DrainState StartDrain() override {
        left_ = drain_polls_;
        return left_ > 0 ? DrainState::Pending : DrainState::Done;
    }
    DrainState PollDrain() override { return --left_ > 0 ? DrainState::Pending : DrainState::Done; }

  private:
    int drain_polls_;
    int left_ = 0;
};

// The dialog does not answer while Modify waits: all its waits together
// stay within kModifyWaitMs, whatever the port does.
TEST(MarkOffsetModify, WholeModifyWaitsThreeSecondsAtMost) {
    const BlockPoll kPending{BlockState::Pending, 0};
    const BlockPoll kBlankDone{BlockState::Done, 1};
    const std::string commands = "$$\r\n";
    const BlockPoll kCommandsDone{BlockState::Done, uint32_t(commands.size())};
    struct Case {
        const char* label;
        std::deque<BlockPoll> polls;
        int drain_polls;
        ModifyOutcome outcome;
        uint32_t waited_ms;
    } cases[] = {
        {"slow writes and slow drains are cut off (mended: 5.7 s)",
         {kPending, kBlankDone, kPending, kBlankDone, kPending, kCommandsDone},
         90,
         ModifyOutcome::kNotOnline,
         kModifyWaitMs},
        {"each write takes its second, drains at once",
         {kPending, kBlankDone, kPending, kBlankDone, kPending, kCommandsDone},
         0,
         ModifyOutcome::kSent,
         3 * kWriteWaitMs},
        {"drains of half a second are not cut",
         {},
         50,
         ModifyOutcome::kSent,
         3 * 50 * kDrainStepMs},
    };
    for (const Case& c : cases) {
        EventLog log;
        SlowDrainPort port(log, c.drain_polls);
        port.scripted_polls = c.polls;
        uint32_t waited = 0;
        EXPECT_EQ(SendMarkOffset(port, 1, commands, [&](uint32_t ms) { waited += ms; }), c.outcome)
            << c.label;
        EXPECT_EQ(waited, c.waited_ms) << c.label;
    }
}

TEST(MarkOffsetSave, FileHoldsTheCommandsOrSaveFails) {
    testing::ScratchFolder folder;
    const std::string commands = MarkOffsetCommands(Offsets("1.50", "0.00", "0.00", "0.75"), false);
    const std::string path = folder.File("job.plt");
    testing::WriteWholeFile(path, std::string(500, 'x'));  // an existing file is replaced
    EXPECT_EQ(SaveMarkOffset(path, commands), ModifyOutcome::kSaved);
    EXPECT_EQ(testing::ReadWholeFile(path), "$A,-1.50;\r\n$B,-0.75;\r\n$$\r\n");
    const ModifyOutcome failed = SaveMarkOffset(folder.File("missing/job.plt"), commands);
    EXPECT_EQ(failed, ModifyOutcome::kSaveFailed);
    EXPECT_STREQ(OutcomeMessage(failed), kTextSaveFailed);
    EXPECT_FALSE(OutcomeClosesDialog(failed));
    EXPECT_STREQ(OutcomeMessage(ModifyOutcome::kSaved), kTextSaveOk);
    EXPECT_TRUE(OutcomeClosesDialog(ModifyOutcome::kSaved));
}

}  // namespace
}  // namespace tarnik::markoffset
