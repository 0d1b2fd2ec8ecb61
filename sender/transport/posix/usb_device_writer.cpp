#include "sender/transport/posix/usb_device_writer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <vector>

namespace tarnik {

namespace {

// Long enough not to spin, short enough that a cancel feels immediate.
constexpr int kPollMs = 50;

std::string SystemText(const char* what, const char* device) {
    return std::string(what) + " " + device + ": " + std::strerror(errno);
}

std::string InUseText(const char* device) {
    return std::string(device) + " is in use by another job or program: nothing was sent";
}

// Takes the device for this job alone, with the advisory lock that other
// programs taking it honour: two jobs written into one printer port at once
// would reach the plotter as a mix of both. (The kernel's USB printer
// driver refuses a second open by itself; a port reached otherwise may not.)
bool TakeDeviceExclusively(int fd, const char* device, std::string& error) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK) {
        return true;
    }
    error = InUseText(device);
    return false;
}

class DeviceFile {
  public:
    explicit DeviceFile(const char* device)
        : fd_(::open(device, O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) {}
    ~DeviceFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    DeviceFile(const DeviceFile&) = delete;
    DeviceFile& operator=(const DeviceFile&) = delete;

    int fd() const { return fd_; }
    // Closes now; false when the system reports a failure (a driver may
    // report a lost write only here).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

// A write to a pipe whose reader went away raises SIGPIPE; this thread keeps
// it blocked during the job and swallows one that arrived, so such a target
// fails with EPIPE instead of ending the program.
class QuietBrokenPipe {
  public:
    QuietBrokenPipe() {
        sigset_t pipe_only;
        sigemptyset(&pipe_only);
        sigaddset(&pipe_only, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe_only, &saved_);
    }
    ~QuietBrokenPipe() {
        sigset_t pipe_only;
        sigemptyset(&pipe_only);
        sigaddset(&pipe_only, SIGPIPE);
        const timespec no_wait = {0, 0};
        while (sigtimedwait(&pipe_only, nullptr, &no_wait) > 0) {
        }
        pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
    }
    QuietBrokenPipe(const QuietBrokenPipe&) = delete;
    QuietBrokenPipe& operator=(const QuietBrokenPipe&) = delete;

  private:
    sigset_t saved_;
};

enum class Wait { Ready, Cancelled, Failed };

// Waits until the device takes more (for a printer device: the transfer in
// flight has ended) or the job is cancelled.
Wait WaitWritable(int fd, const std::atomic<bool>& cancel) {
    for (;;) {
        if (cancel.load()) {
            return Wait::Cancelled;
        }
        pollfd entry = {fd, POLLOUT, 0};
        const int ready = ::poll(&entry, 1, kPollMs);
        if (ready < 0 && errno != EINTR) {
            return Wait::Failed;
        }
        if (ready > 0) {
            return Wait::Ready;
        }
    }
}

double PercentOf(uint32_t sent, uint32_t size) {
    return size == 0 ? 100.0 : static_cast<double>(sent) / static_cast<double>(size) * 100.0;
}

// Writes one chunk whole. Returns kUsbJobDone, kUsbJobCancelled or
// kUsbJobFailed (errno set).
int WriteChunk(int fd, const char* data, uint32_t count, const std::atomic<bool>& cancel) {
    uint32_t done = 0;
    while (done < count) {
        if (cancel.load()) {
            return kUsbJobCancelled;
        }
        const ssize_t n = ::write(fd, data + done, count - done);
        if (n > 0) {
            done += static_cast<uint32_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n == 0 || errno == EAGAIN || errno == EWOULDBLOCK) {
            const Wait wait = WaitWritable(fd, cancel);
            if (wait == Wait::Cancelled) {
                return kUsbJobCancelled;
            }
            if (wait == Wait::Failed) {
                return kUsbJobFailed;
            }
            continue;
        }
        return kUsbJobFailed;
    }
    return kUsbJobDone;
}

}  // namespace

int SendJobToUsbDevice(const char* device, JobSource& job, ProgressSink& progress,
                       const std::atomic<bool>& cancel, std::string& error) {
    QuietBrokenPipe quiet;
    DeviceFile file(device);
    if (file.fd() < 0) {
        error = errno == EBUSY ? InUseText(device) : SystemText("cannot open", device);
        return kUsbJobFailed;
    }
    if (!TakeDeviceExclusively(file.fd(), device, error)) {
        return kUsbJobFailed;
    }
    // A file standing in for the device starts empty, once the job holds
    // it (a device or a pipe has nothing to cut back).
    struct stat info {};
    if (fstat(file.fd(), &info) == 0 && S_ISREG(info.st_mode) && ftruncate(file.fd(), 0) != 0) {
        error = SystemText("cannot empty", device);
        return kUsbJobFailed;
    }
    std::vector<char> chunk(kUsbDeviceChunkBytes);
    const uint32_t size = job.Size();
    for (uint32_t sent = 0; sent < size;) {
        const uint32_t want =
            size - sent < kUsbDeviceChunkBytes ? size - sent : kUsbDeviceChunkBytes;
        if (job.Read(sent, chunk.data(), want) != want) {
            error = "the job could not be read whole";
            return kUsbJobFailed;
        }
        const int status = WriteChunk(file.fd(), chunk.data(), want, cancel);
        if (status == kUsbJobCancelled) {
            return kUsbJobCancelled;
        }
        if (status != kUsbJobDone) {
            error = SystemText("cannot write to", device);
            return kUsbJobFailed;
        }
        sent += want;
        progress.OnProgress(PercentOf(sent, size), sent, size);
    }
    // A printer device may still be sending the last chunk: closing now
    // would drop it.
    const Wait drained = WaitWritable(file.fd(), cancel);
    if (drained == Wait::Cancelled) {
        return kUsbJobCancelled;
    }
    if (drained == Wait::Failed || !file.Close()) {
        error = SystemText("cannot finish the job on", device);
        return kUsbJobFailed;
    }
    return kUsbJobDone;
}

int SendJobToUsbTarget(const std::string& target, JobSource& job, ProgressSink& progress,
                       const std::atomic<bool>& cancel, std::string& error) {
    constexpr char kCupsPrefix[] = "cups:";
    if (target.rfind(kCupsPrefix, 0) == 0) {
        return SendJobToCupsQueue(target.c_str() + sizeof kCupsPrefix - 1, job, error, &progress,
                                  &cancel);
    }
    return SendJobToUsbDevice(target.c_str(), job, progress, cancel, error);
}

}  // namespace tarnik
