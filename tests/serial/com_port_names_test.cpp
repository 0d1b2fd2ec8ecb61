// Device names and line definitions of the COM port opener, and the
// refusal of port 0 on this platform's real opener.
#include "serial/com_port_names.h"

#include <gtest/gtest.h>

#include "serial/init_com_port.h"

namespace tarnik {
namespace {

TEST(ComPortNames, DeviceNamesAndDefinitions) {
    struct Case {
        const char* label;
        std::string actual;
        const char* expected;
    };
    const Case cases[] = {
        {"COM3", ComDeviceName(3), "\\\\.\\COM3"},
        {"COM255", ComDeviceName(255), "\\\\.\\COM255"},
        {"job line", ComDefinition(kJobBaudRate, kJobParity, kJobDataBits, kJobStopBits),
         "baud=38400 parity=N data=8 stop=1"},
        {"monitor at 9600", ComDefinition(9600, 'N', 8, 1), "baud=9600 parity=N data=8 stop=1"},
        {"POSIX COM1", PosixSerialDeviceName(1), "/dev/ttyS0"},
        {"POSIX COM0 has none", PosixSerialDeviceName(0), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(c.actual, c.expected);
    }
}

TEST(InitComPort, PortZeroAndEmptyNamesOpenNothing) {
    EXPECT_EQ(InitComPort(0), kInvalidComHandle);
    EXPECT_EQ(InitComDevice(""), kInvalidComHandle);
    EXPECT_EQ(InitComDevice(nullptr), kInvalidComHandle);
    EXPECT_TRUE(CloseComPort(kNoComHandle));
    EXPECT_TRUE(CloseComPort(kInvalidComHandle));
}

}  // namespace
}  // namespace tarnik
