#include "markoffset/modify_sequence.h"

#include <cstdio>
#include <memory>

#include "markoffset/mark_offset.h"

namespace tarnik::markoffset {
namespace {

// Lets the bytes of a finished write leave the port within kDrainWaitMs.
bool DrainWithin(JobPort& port, WaitBudget& budget) {
    DrainState state = port.StartDrain();
    for (uint32_t waited = 0; state == DrainState::Pending && waited < kDrainWaitMs;
         waited += kDrainStepMs) {
        if (!budget.Wait(kDrainStepMs)) {
            break;
        }
        state = port.PollDrain();
    }
    return state == DrainState::Done;
}

struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file != nullptr) {
            std::fclose(file);
        }
    }
};

}  // namespace

const char* OutcomeMessage(ModifyOutcome outcome) {
    switch (outcome) {
        case ModifyOutcome::kPortUnusable:
            return kTextPortUnusable;
        case ModifyOutcome::kNotOnline:
            return kTextOnlinePlease;
        case ModifyOutcome::kWriteFailed:
            return kTextWritePortFailed;
        case ModifyOutcome::kSent:
            return kTextSetSuccess;
        case ModifyOutcome::kSaveFailed:
            return kTextSaveFailed;
        case ModifyOutcome::kSaved:
            break;
    }
    return kTextSaveOk;
}

bool OutcomeClosesDialog(ModifyOutcome outcome) {
    return outcome == ModifyOutcome::kSent || outcome == ModifyOutcome::kSaved;
}

void Purge(JobPort& port, bool drained) {
    if (drained) {
        port.PurgeReceive();
    } else {
        port.PurgeAll();
    }
}

bool WaitBudget::Wait(uint32_t ms) {
    const uint32_t waited = ms < left_ms_ ? ms : left_ms_;
    if (waited == 0) {
        return false;
    }
    wait_(waited);
    left_ms_ -= waited;
    return true;
}

bool WritePortWait(JobPort& port, const uint8_t* data, uint32_t count, WaitBudget& budget,
                   bool drained) {
    Purge(port, drained);
    if (!port.WriteBlock(data, count)) {
        return false;
    }
    BlockPoll poll = port.PollBlock();
    if (poll.state == BlockState::Pending) {
        budget.Wait(kWriteWaitMs);
        poll = port.PollBlock();
    }
    if (poll.state != BlockState::Done || poll.transferred != count) {
        return false;
    }
    return DrainWithin(port, budget);
}

uint8_t ComNumberOfIndex(int index) {
    return static_cast<uint8_t>(index + 1);
}

ModifyOutcome SendMarkOffset(JobPort& port, uint8_t com, std::string_view commands,
                             const WaitMs& wait) {
    if (com == 0 || !port.Open(com)) {
        return ModifyOutcome::kPortUnusable;
    }
    static constexpr uint8_t kBlank[1] = {0x20};
    ModifyOutcome outcome = ModifyOutcome::kSent;
    WaitBudget budget(kModifyWaitMs, wait);
    // Each write runs only after the one before it drained.
    bool drained = WritePortWait(port, kBlank, 1, budget);
    drained = drained && WritePortWait(port, kBlank, 1, budget, true);
    if (!drained) {
        outcome = ModifyOutcome::kNotOnline;
    } else {
        drained = WritePortWait(port, reinterpret_cast<const uint8_t*>(commands.data()),
                                static_cast<uint32_t>(commands.size()), budget, true);
        if (!drained) {
            outcome = ModifyOutcome::kWriteFailed;
        }
    }
    Purge(port, drained);
    port.Close();
    return outcome;
}

ModifyOutcome SaveMarkOffset(const std::string& path, std::string_view commands) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return ModifyOutcome::kSaveFailed;
    }
    const bool written =
        std::fwrite(commands.data(), 1, commands.size(), file.get()) == commands.size();
    return written && std::fclose(file.release()) == 0 ? ModifyOutcome::kSaved
                                                       : ModifyOutcome::kSaveFailed;
}

}  // namespace tarnik::markoffset
