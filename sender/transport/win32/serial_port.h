#pragma once
// The line monitor: its own connection to the plotter's COM port, opened at
// the configured baud rate for the line-status check, never used to send
// jobs. Its one worker thread watches for a failing comm-event wait and
// reports it to the main window as WM_LINE_FAULT LineFault::kWatchFailed.
#include <windows.h>

namespace tarnik {

class CSerialPort {
  public:
    CSerialPort();
    virtual ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // (Re)opens COM `port` at `baud` with CTS flow control, 1 s read
    // time-outs and no write time-out, and registers `event_mask`. Ends a
    // running watch first. 1 on success; 0 when the port does not open
    // (silently) or a set-up step fails (after ReportError).
    int OpenPort(HWND owner, UINT port, UINT baud, char parity, UINT data_bits, UINT stop_bits,
                 DWORD event_mask);
    // Starts WatchThread; true when it runs.
    bool StartWatch();
    // Ends the watch and closes the port, so that a job can open it; the
    // port number stays for the next OpenPort.
    void ClosePort();
    // The open port, or INVALID_HANDLE_VALUE when none.
    HANDLE GetHandle() const;
    // Error box for a failed set-up step, with the system's text of the
    // last error and the port number.
    void ReportError(const char* step);

    // Replaces the error box (tests record the text instead); null
    // restores the message box.
    using ErrorBox = void (*)(const char* text);
    static void SetErrorBox(ErrorBox box);

  private:
    static DWORD WINAPI WatchThread(LPVOID self);
    void EndWatch();
    bool SetUpPort(const char* definition);

    HANDLE watch_thread_ = nullptr;
    CRITICAL_SECTION lock_ = {};
    bool lock_ready_ = false;
    volatile LONG thread_alive_ = 0;
    HANDLE shutdown_event_ = nullptr;  // manual-reset; set to end WatchThread
    HANDLE port_ = nullptr;
    OVERLAPPED comm_event_ = {};
    COMMTIMEOUTS timeouts_ = {};
    DCB dcb_ = {};
    HWND owner_ = nullptr;
    int port_number_ = 0;
    DWORD event_mask_ = 0;
};

}  // namespace tarnik
