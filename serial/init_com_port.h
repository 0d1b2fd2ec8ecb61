#pragma once
// Opens a serial port for a plotter job: 38400 baud, no parity, 8 data bits,
// 1 stop bit, CTS output flow control (the plotter holds CTS off while its
// buffer is full), both queues purged. The job sender and the mark-offset
// tool share it. No time-outs and no event mask are set: writes are
// overlapped (Win32) or non-blocking (POSIX) and polled by the caller.
#include <cstdint>

namespace tarnik {

// The operating system's handle of an open port: a Win32 HANDLE or a POSIX
// file descriptor, carried as an integer so portable code can hold it.
using ComHandle = std::intptr_t;
inline constexpr ComHandle kNoComHandle = 0;        // no port ("none")
inline constexpr ComHandle kInvalidComHandle = -1;  // the open failed

// Opens COM port `port` (Win32 "\\.\COM<port>"; POSIX "/dev/ttyS<port-1>").
// Port 0 opens nothing. Returns kInvalidComHandle on any failure; a port
// that was opened but could not be set up is closed again first.
ComHandle InitComPort(uint8_t port);

// The same for a device given by name (a Win32 device name, or a POSIX
// path such as a pseudo-terminal's). An empty name opens nothing.
ComHandle InitComDevice(const char* device);

// Closes a handle InitComPort returned; false when the system refuses.
// kNoComHandle and kInvalidComHandle are ignored (true).
bool CloseComPort(ComHandle handle);

}  // namespace tarnik
