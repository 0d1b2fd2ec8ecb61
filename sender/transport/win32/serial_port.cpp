#include "sender/transport/win32/serial_port.h"

#include <string>

#include "sender/pipeline/line_fault.h"
#include "sender/transport/port_error_report.h"
#include "sender/transport/win32/window_messages.h"
#include "serial/com_port_names.h"
#include "serial/win32/device_control.h"

namespace tarnik {
namespace {

constexpr DWORD kAllQueues = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
// A port just closed needs a moment before the driver lets it open again.
constexpr DWORD kReopenPauseMs = 500;
constexpr DWORD kReadTimeoutMs = 1000;

void ShowErrorBox(const char* text) {
    MessageBoxA(nullptr, text, "Application Error", MB_OK | MB_ICONERROR);
}

CSerialPort::ErrorBox g_error_box = ShowErrorBox;

void CloseIfSet(HANDLE& handle) {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
    }
    handle = nullptr;
}

}  // namespace

void CSerialPort::SetErrorBox(ErrorBox box) {
    g_error_box = box != nullptr ? box : ShowErrorBox;
}

CSerialPort::CSerialPort() = default;

CSerialPort::~CSerialPort() {
    EndWatch();
    if (lock_ready_) {
        EnterCriticalSection(&lock_);
        CloseIfSet(port_);
        LeaveCriticalSection(&lock_);
        DeleteCriticalSection(&lock_);
    }
    CloseIfSet(comm_event_.hEvent);
    CloseIfSet(shutdown_event_);
}

void CSerialPort::EndWatch() {
    if (watch_thread_ == nullptr) {
        return;
    }
    SetEvent(shutdown_event_);
    WaitForSingleObject(watch_thread_, INFINITE);
    CloseIfSet(watch_thread_);
}

int CSerialPort::OpenPort(HWND owner, UINT port, UINT baud, char parity, UINT data_bits,
                          UINT stop_bits, DWORD event_mask) {
    EndWatch();
    if (!lock_ready_) {
        InitializeCriticalSection(&lock_);
        lock_ready_ = true;
    }
    owner_ = owner;
    port_number_ = static_cast<int>(port);
    event_mask_ = event_mask;

    EnterCriticalSection(&lock_);
    if (port_ != nullptr) {
        CloseIfSet(port_);  // also ends a comm-event wait still pending on it
        Sleep(kReopenPauseMs);
    }
    // Fresh unsignalled events; the old ones go now that nothing waits on them.
    CloseIfSet(comm_event_.hEvent);
    CloseIfSet(shutdown_event_);
    comm_event_ = {};
    comm_event_.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    shutdown_event_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);

    const std::string device = ComDeviceName(static_cast<int>(port));
    const std::string definition = ComDefinition(
        static_cast<long>(baud), parity, static_cast<int>(data_bits), static_cast<int>(stop_bits));
    HANDLE opened = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        LeaveCriticalSection(&lock_);
        return 0;
    }
    port_ = opened;
    const bool ready = SetUpPort(definition.c_str());
    if (ready) {
        PurgeComm(port_, kAllQueues);
    }
    LeaveCriticalSection(&lock_);
    return ready ? 1 : 0;
}

bool CSerialPort::SetUpPort(const char* definition) {
    timeouts_ = {};
    timeouts_.ReadIntervalTimeout = kReadTimeoutMs;
    timeouts_.ReadTotalTimeoutMultiplier = kReadTimeoutMs;
    timeouts_.ReadTotalTimeoutConstant = kReadTimeoutMs;
    timeouts_.WriteTotalTimeoutMultiplier = 0;  // no write time-out
    timeouts_.WriteTotalTimeoutConstant = 0;
    if (!SetCommTimeouts(port_, &timeouts_)) {
        ReportError("SetCommTimeouts()");
        return false;
    }
    if (!SetCommMask(port_, event_mask_)) {
        ReportError("SetCommMask()");
        return false;
    }
    switch (ApplyLineDefinition(port_, definition, dcb_)) {
        case LineSetupStep::kNone:
            return true;
        case LineSetupStep::kGetState:
            ReportError("GetCommState()");
            return false;
        case LineSetupStep::kBuildDcb:
            ReportError("BuildCommDCB()");
            return false;
        case LineSetupStep::kSetState:
            ReportError("SetCommState()");
            return false;
    }
    return false;
}

void CSerialPort::ClosePort() {
    EndWatch();
    if (lock_ready_) {
        EnterCriticalSection(&lock_);
        CloseIfSet(port_);  // also ends a comm-event wait still pending on it
        LeaveCriticalSection(&lock_);
    }
}

bool CSerialPort::StartWatch() {
    if (watch_thread_ != nullptr || shutdown_event_ == nullptr) {
        return false;
    }
    watch_thread_ = CreateThread(nullptr, 0, WatchThread, this, 0, nullptr);
    return watch_thread_ != nullptr;
}

HANDLE CSerialPort::GetHandle() const {
    return port_ != nullptr ? port_ : INVALID_HANDLE_VALUE;
}

DWORD WINAPI CSerialPort::WatchThread(LPVOID self) {
    auto* monitor = static_cast<CSerialPort*>(self);
    InterlockedExchange(&monitor->thread_alive_, 1);
    if (monitor->port_ != nullptr) {
        PurgeComm(monitor->port_, kAllQueues);
        DWORD events = 0;
        if (!WaitCommEvent(monitor->port_, &events, &monitor->comm_event_)) {
            const DWORD error = GetLastError();
            if (error != ERROR_INVALID_PARAMETER && error != ERROR_IO_PENDING) {
                PostMessageA(monitor->owner_, kWmLineFault, 0,
                             static_cast<LPARAM>(LineFault::kWatchFailed));
            }
        }
    }
    // The comm events themselves are not acted on: only a failing wait is.
    WaitForSingleObject(monitor->shutdown_event_, INFINITE);
    InterlockedExchange(&monitor->thread_alive_, 0);
    return 0;
}

void CSerialPort::ReportError(const char* step) {
    const DWORD error = GetLastError();
    char* system_text = nullptr;
    FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<char*>(&system_text), 0, nullptr);
    const std::string text = FormatPortErrorReport(step, system_text, port_number_);
    LocalFree(system_text);
    g_error_box(text.c_str());
}

}  // namespace tarnik
