#include "sender/transport/win32/win32_job_port.h"

#include <utility>

#include "serial/init_com_port.h"

namespace tarnik {
namespace {

constexpr DWORD kSettleLimitMs = 1000;

HANDLE AsHandle(ComHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

Win32JobPort::Win32JobPort(std::string device) : device_(std::move(device)) {}

Win32JobPort::~Win32JobPort() {
    Close();
}

bool Win32JobPort::Open(uint8_t port) {
    Close();
    if (port == 0) {
        last_error_ = ERROR_INVALID_PARAMETER;
        return false;
    }
    const ComHandle handle = device_.empty() ? InitComPort(port) : InitComDevice(device_.c_str());
    if (handle == kInvalidComHandle) {
        last_error_ = GetLastError();
        return false;
    }
    // One event for the life of the port, reset before every block: a
    // fresh event per block would leak a handle per 1000 bytes.
    write_done_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (write_done_ == nullptr) {
        last_error_ = GetLastError();
        CloseComPort(handle);
        return false;
    }
    port_ = AsHandle(handle);
    return true;
}

bool Win32JobPort::IsOpen() const {
    return port_ != INVALID_HANDLE_VALUE;
}

bool Win32JobPort::WriteBlock(const uint8_t* data, uint32_t count) {
    if (!IsOpen()) {
        last_error_ = ERROR_INVALID_HANDLE;
        return false;
    }
    SettleWriteInFlight();
    request_ = {};  // offsets 0
    ResetEvent(write_done_);
    request_.hEvent = write_done_;
    if (!WriteFile(port_, data, count, nullptr, &request_)) {
        const DWORD error = GetLastError();
        if (error != ERROR_IO_PENDING) {
            last_error_ = error;
            return false;
        }
    }
    in_flight_ = true;  // a write that completed at once is reported by the first poll
    return true;
}

BlockPoll Win32JobPort::PollBlock() {
    if (!IsOpen() || !in_flight_) {
        last_error_ = ERROR_INVALID_HANDLE;
        return {BlockState::Failed, 0};
    }
    DWORD transferred = 0;
    if (GetOverlappedResult(port_, &request_, &transferred, FALSE)) {
        in_flight_ = false;
        return {BlockState::Done, transferred};
    }
    const DWORD error = GetLastError();
    if (error == ERROR_IO_INCOMPLETE || error == ERROR_HANDLE_EOF) {
        return {BlockState::Pending, transferred};
    }
    in_flight_ = false;
    last_error_ = error;
    return {BlockState::Failed, transferred};
}

void Win32JobPort::PurgeReceive() {
    if (IsOpen()) {
        PurgeComm(port_, PURGE_RXABORT | PURGE_RXCLEAR);
    }
}

void Win32JobPort::PurgeAll() {
    if (IsOpen()) {
        PurgeComm(port_, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
        SettleWriteInFlight();
    }
}

bool Win32JobPort::DrainTransmit() {
    return !IsOpen() || FlushFileBuffers(port_) != 0;
}

void Win32JobPort::SettleWriteInFlight() {
    if (!in_flight_) {
        return;
    }
    if (WaitForSingleObject(write_done_, 0) != WAIT_OBJECT_0) {
        CancelIo(port_);
        WaitForSingleObject(write_done_, kSettleLimitMs);
    }
    in_flight_ = false;
}

bool Win32JobPort::Close() {
    bool closed = true;
    if (IsOpen()) {
        SettleWriteInFlight();
        closed = CloseHandle(port_) != 0;
        if (!closed) {
            last_error_ = GetLastError();
        }
    }
    port_ = INVALID_HANDLE_VALUE;
    if (write_done_ != nullptr) {
        CloseHandle(write_done_);
        write_done_ = nullptr;
    }
    in_flight_ = false;
    return closed;
}

std::string Win32JobPort::FailureText() const {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, last_error_, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 && text != nullptr ? std::string(text, length)
                                                        : "error " + std::to_string(last_error_);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
        message.pop_back();
    }
    return message;
}

}  // namespace tarnik
