#include "sender/transport/win32/win32_job_port.h"

#include <utility>

#include "serial/init_com_port.h"

namespace tarnik {
namespace {

constexpr DWORD kSettleLimitMs = 1000;

HANDLE AsHandle(ComHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// The drain's thread owns a duplicate of the port's handle: closing the job
// port never pulls the handle from under a flush still running, and the
// thread touches nothing else of the port. Exit code 1 when drained.
DWORD WINAPI DrainThread(LPVOID param) {
    const HANDLE port = static_cast<HANDLE>(param);
    const BOOL drained = FlushFileBuffers(port);
    CloseHandle(port);
    return drained ? 1 : 0;
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
        EndDrain();
    }
}

DrainState Win32JobPort::StartDrain() {
    if (!IsOpen()) {
        return DrainState::Done;
    }
    EndDrain();
    HANDLE own = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), port_, GetCurrentProcess(), &own, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
        last_error_ = GetLastError();
        return DrainState::Failed;
    }
    drain_thread_ = CreateThread(nullptr, 0, DrainThread, own, 0, nullptr);
    if (drain_thread_ == nullptr) {
        last_error_ = GetLastError();
        CloseHandle(own);
        return DrainState::Failed;
    }
    return PollDrain();
}

DrainState Win32JobPort::PollDrain() {
    if (drain_thread_ == nullptr) {
        return DrainState::Done;
    }
    if (WaitForSingleObject(drain_thread_, 0) != WAIT_OBJECT_0) {
        return DrainState::Pending;
    }
    DWORD drained = 0;
    GetExitCodeThread(drain_thread_, &drained);
    CloseHandle(drain_thread_);
    drain_thread_ = nullptr;
    return drained == 1 ? DrainState::Done : DrainState::Failed;
}

void Win32JobPort::EndDrain() {
    if (drain_thread_ == nullptr) {
        return;
    }
    // The purge emptied the transmit queue, which ends the flush; a driver
    // that still waits is asked to give up. Should it not within the limit,
    // the thread goes on alone with its own handle and ends when the flush
    // does.
    if (WaitForSingleObject(drain_thread_, 0) != WAIT_OBJECT_0) {
        CancelSynchronousIo(drain_thread_);
        WaitForSingleObject(drain_thread_, kSettleLimitMs);
    }
    CloseHandle(drain_thread_);
    drain_thread_ = nullptr;
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
        if (drain_thread_ != nullptr) {
            PurgeComm(port_, PURGE_TXABORT | PURGE_TXCLEAR);
            EndDrain();
        }
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
