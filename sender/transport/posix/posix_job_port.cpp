#include "sender/transport/posix/posix_job_port.h"

#include <errno.h>
#include <termios.h>
#include <unistd.h>

#include <cstring>
#include <utility>

#include "serial/com_port_names.h"

namespace tarnik {

PosixJobPort::PosixJobPort(std::string device) : device_(std::move(device)) {}

PosixJobPort::~PosixJobPort() {
    Close();
}

bool PosixJobPort::Open(uint8_t port) {
    Close();
    if (port == 0) {
        last_error_ = ENODEV;
        return false;
    }
    opened_device_ = device_.empty() ? PosixSerialDeviceName(port) : device_;
    const ComHandle fd = InitComDevice(opened_device_.c_str());
    if (fd == kInvalidComHandle) {
        last_error_ = errno;
        return false;
    }
    fd_ = fd;
    return true;
}

bool PosixJobPort::IsOpen() const {
    return fd_ != kNoComHandle && fd_ != kInvalidComHandle;
}

bool PosixJobPort::WriteRest() {
    while (rest_length_ > 0) {
        const ssize_t written = write(static_cast<int>(fd_), rest_, rest_length_);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                return true;  // the driver's queue is full: the plotter holds CTS off
            }
            last_error_ = errno;
            return false;
        }
        rest_ += written;
        rest_length_ -= static_cast<uint32_t>(written);
    }
    return true;
}

bool PosixJobPort::WriteBlock(const uint8_t* data, uint32_t count) {
    if (!IsOpen()) {
        last_error_ = EBADF;
        return false;
    }
    rest_ = data;
    rest_length_ = count;
    block_length_ = count;
    if (!WriteRest()) {
        rest_ = nullptr;
        rest_length_ = 0;
        return false;
    }
    return true;
}

BlockPoll PosixJobPort::PollBlock() {
    if (!IsOpen()) {
        last_error_ = EBADF;
        return {BlockState::Failed, 0};
    }
    if (!WriteRest()) {
        const uint32_t transferred = block_length_ - rest_length_;
        rest_ = nullptr;
        rest_length_ = 0;
        return {BlockState::Failed, transferred};
    }
    if (rest_length_ > 0) {
        return {BlockState::Pending, block_length_ - rest_length_};
    }
    rest_ = nullptr;
    return {BlockState::Done, block_length_};
}

void PosixJobPort::PurgeReceive() {
    if (IsOpen()) {
        tcflush(static_cast<int>(fd_), TCIFLUSH);
    }
}

void PosixJobPort::PurgeAll() {
    rest_ = nullptr;
    rest_length_ = 0;
    if (IsOpen()) {
        tcflush(static_cast<int>(fd_), TCIOFLUSH);
    }
}

DrainState PosixJobPort::StartDrain() {
    // Waits here: the tool's loop has no window to keep responsive. Not
    // retried when a signal interrupts it: that is the user's Ctrl-C, and
    // the sender then drops what is left.
    if (!IsOpen()) {
        return DrainState::Done;
    }
    if (tcdrain(static_cast<int>(fd_)) != 0) {
        last_error_ = errno;
        return DrainState::Failed;
    }
    return DrainState::Done;
}

bool PosixJobPort::Close() {
    rest_ = nullptr;
    rest_length_ = 0;
    if (!IsOpen()) {
        fd_ = kNoComHandle;
        return true;
    }
    const bool closed = CloseComPort(fd_);
    if (!closed) {
        last_error_ = errno;
    }
    fd_ = kNoComHandle;
    return closed;
}

std::string PosixJobPort::FailureText() const {
    if (last_error_ == EBUSY) {
        // The opener takes the device exclusively: another job has it.
        return opened_device_ + " is in use by another job or program (" +
               std::strerror(last_error_) + "): nothing was sent";
    }
    return std::strerror(last_error_);
}

}  // namespace tarnik
