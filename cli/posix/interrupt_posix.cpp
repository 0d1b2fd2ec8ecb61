// The ending signals on Linux. The handlers are installed without
// SA_RESTART: during a send, a wait in the kernel (the drain of the last
// bytes while the plotter holds CTS off) is broken off at once, not resumed.
// Outside a send the handler itself removes what is registered, with calls
// that are safe in a signal handler only (no allocation, no library locks),
// and ends the process.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>

#include "cli/interrupt.h"

namespace tarnik::cli {
namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
constexpr int kSignalCount = sizeof(kEndingSignals) / sizeof(kEndingSignals[0]);

static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free,
              "the handler may only touch lock-free atomics");

std::atomic<bool> g_requested{false};
std::atomic<int> g_signal{0};
std::atomic<bool> g_cancelling{false};  // a CancelOnInterrupt lives

struct sigaction g_previous[kSignalCount] = {};
bool g_installed[kSignalCount] = {};
int g_users = 0;  // living EndOnSignal and CancelOnInterrupt objects

// Paths to remove; written only while the signals are held back.
constexpr int kSlots = 4;
constexpr size_t kPathBytes = 4096;
struct Slot {
    char path[kPathBytes];
    bool used;
};
Slot g_slots[kSlots] = {};

sigset_t EndingSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kEndingSignals) {
        sigaddset(&set, signal);
    }
    return set;
}

int g_holds = 0;
sigset_t g_mask_before_hold;

// Removes everything in folder; a folder inside is emptied (to a small
// depth) and removed; links are removed, never followed. Removing entries
// while reading the folder may hide others, so the folder is read again
// until a pass removes nothing.
void RemoveEntries(int folder, int depth) {
    constexpr int kMaxDepth = 8;
    alignas(struct dirent64) char buffer[2048];
    for (int pass = 0; pass < 64; ++pass) {
        if (lseek(folder, 0, SEEK_SET) != 0) {
            return;
        }
        bool removed = false;
        ssize_t got = 0;
        while ((got = getdents64(folder, buffer, sizeof(buffer))) > 0) {
            for (ssize_t at = 0; at < got;) {
                const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + at);
                at += entry->d_reclen;
                const char* name = entry->d_name;
                if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
                    continue;
                }
                if (unlinkat(folder, name, 0) == 0) {
                    removed = true;
                    continue;
                }
                const int inner =
                    depth < kMaxDepth
                        ? openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)
                        : -1;
                if (inner >= 0) {
                    RemoveEntries(inner, depth + 1);
                    close(inner);
                }
                removed = unlinkat(folder, name, AT_REMOVEDIR) == 0 || removed;
            }
        }
        if (!removed) {
            return;
        }
    }
}

void RemovePath(const char* path) {
    if (unlink(path) == 0 || errno == ENOENT) {
        return;
    }
    const int folder = open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder >= 0) {
        RemoveEntries(folder, 0);
        close(folder);
    }
    rmdir(path);
}

extern "C" void OnEndingSignal(int number) {
    const int saved_errno = errno;
    int none = 0;
    g_signal.compare_exchange_strong(none, number);
    g_requested.store(true);
    if (g_cancelling.load()) {
        errno = saved_errno;
        return;
    }
    for (const Slot& slot : g_slots) {
        if (slot.used) {
            RemovePath(slot.path);
        }
    }
    _exit(128 + number);
}

void Acquire() {
    if (g_users++ > 0) {
        return;
    }
    struct sigaction action = {};
    action.sa_handler = OnEndingSignal;
    action.sa_mask = EndingSignalSet();
    action.sa_flags = 0;
    for (int i = 0; i < kSignalCount; ++i) {
        g_installed[i] = false;
        if (sigaction(kEndingSignals[i], nullptr, &g_previous[i]) != 0 ||
            g_previous[i].sa_handler == SIG_IGN) {
            continue;
        }
        g_installed[i] = sigaction(kEndingSignals[i], &action, nullptr) == 0;
    }
}

void Release() {
    if (--g_users > 0) {
        return;
    }
    for (int i = 0; i < kSignalCount; ++i) {
        if (g_installed[i]) {
            sigaction(kEndingSignals[i], &g_previous[i], nullptr);
            g_installed[i] = false;
        }
    }
}

}  // namespace

EndOnSignal::EndOnSignal() {
    Acquire();
}

EndOnSignal::~EndOnSignal() {
    Release();
}

HoldEndingSignals::HoldEndingSignals() {
    if (g_holds++ == 0) {
        const sigset_t set = EndingSignalSet();
        pthread_sigmask(SIG_BLOCK, &set, &g_mask_before_hold);
    }
}

HoldEndingSignals::~HoldEndingSignals() {
    if (--g_holds == 0) {
        pthread_sigmask(SIG_SETMASK, &g_mask_before_hold, nullptr);
    }
}

bool RemoveOnSignal(const std::string& path) {
    if (path.empty() || path.size() >= kPathBytes) {
        return false;
    }
    HoldEndingSignals hold;
    for (Slot& slot : g_slots) {
        if (!slot.used) {
            std::memcpy(slot.path, path.c_str(), path.size() + 1);
            slot.used = true;
            return true;
        }
    }
    return false;
}

void KeepOnSignal(const std::string& path) {
    HoldEndingSignals hold;
    for (Slot& slot : g_slots) {
        if (slot.used && path == slot.path) {
            slot.used = false;
            return;
        }
    }
}

CancelOnInterrupt::CancelOnInterrupt() {
    Acquire();
    g_requested.store(false);
    g_signal.store(0);
    g_cancelling.store(true);
}

CancelOnInterrupt::~CancelOnInterrupt() {
    g_cancelling.store(false);
    Release();
}

const std::atomic<bool>& CancelOnInterrupt::Requested() const {
    return g_requested;
}

int CancelOnInterrupt::CancelStatus() const {
    const int number = g_signal.load();
    return 128 + (number != 0 ? number : SIGINT);
}

}  // namespace tarnik::cli
