// The shared job opener's line set-up, through a device that behaves as
// Windows documents: CTS output flow control must survive the definition.
#include "serial/init_com_port.h"

#include <gtest/gtest.h>

#include "tests/serial/win32/windows_like_device.h"
#include "tests/support/test_files.h"

namespace tarnik {
namespace {

TEST(InitComDevice, CtsFlowControlIsSetAfterTheDefinition) {
    testing::ScratchFolder folder;
    const std::string device = folder.File("port");  // any file opens as the handle
    testing::WriteWholeFile(device, "");
    testing::WindowsLikeDevice windows;
    testing::WindowsLikeDevice::set_calls = 0;
    const ComHandle port = InitComDevice(device.c_str());
    ASSERT_NE(port, kInvalidComHandle);
    EXPECT_TRUE(CloseComPort(port));
    ASSERT_EQ(testing::WindowsLikeDevice::set_calls, 1);
    const DCB& set = testing::WindowsLikeDevice::set_state;
    EXPECT_EQ(set.fOutxCtsFlow, 1u);
    EXPECT_EQ(set.BaudRate, 38400u);
    EXPECT_EQ(set.ByteSize, 8);
    EXPECT_EQ(set.Parity, NOPARITY);
    EXPECT_EQ(set.StopBits, ONESTOPBIT);
}

}  // namespace
}  // namespace tarnik
