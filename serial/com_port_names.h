#pragma once
// The names and line definitions with which the job sender and the
// mark-offset tool open a COM port. Pure formatting, shared by both
// platform openers and the line monitor.
#include <cstdint>
#include <string>

namespace tarnik {

// Jobs always run at 38400 baud, no parity, 8 data bits, 1 stop bit,
// whatever the line monitor's baud rate setting says.
inline constexpr long kJobBaudRate = 38400;
inline constexpr char kJobParity = 'N';
inline constexpr int kJobDataBits = 8;
inline constexpr int kJobStopBits = 1;

// The Win32 device name of a COM port: "\\.\COM3" for port 3.
std::string ComDeviceName(int port);

// The mode definition BuildCommDCB understands, e.g.
// "baud=38400 parity=N data=8 stop=1".
std::string ComDefinition(long baud, char parity, int data_bits, int stop_bits);

// The serial device a COM number stands for on a POSIX system: COM1 is
// "/dev/ttyS0", so port n is "/dev/ttyS<n-1>". Port 0 has no device ("").
std::string PosixSerialDeviceName(int port);

}  // namespace tarnik
