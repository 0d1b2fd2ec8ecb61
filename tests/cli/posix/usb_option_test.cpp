// tarnik-cli --usb with a printer device: a plain file stands in for
// /dev/usb/lp0 and must end up holding exactly the job --output writes.
#include <gtest/gtest.h>

#include "../cli_test_helpers.h"
#include "support/test_files.h"

namespace tarnik::testing {
namespace {

TEST(CliUsb, DeviceGetsTheJobByteForByte) {
    ScratchFolder folder;
    const std::string job = folder.File("sign.job");
    const std::string device = folder.File("lp0");
    WriteWholeFile(device, "");
    ASSERT_EQ(RunTool({"cut", "--settings", SampleFile("tarnik.ini"), "--output", job,
                       SampleFile("sign.plt")})
                  .status,
              0);
    const CliResult sent = RunTool(
        {"cut", "--settings", SampleFile("tarnik.ini"), "--usb", device, SampleFile("sign.plt")});
    EXPECT_EQ(sent.status, 0) << sent.err;
    EXPECT_EQ(ReadWholeFile(device), ReadWholeFile(job));
}

TEST(CliUsb, MissingDeviceIsNotCreated) {
    ScratchFolder folder;
    const std::string device = folder.File("lp7");
    const CliResult sent = RunTool(
        {"cut", "--settings", SampleFile("tarnik.ini"), "--usb", device, SampleFile("sign.plt")});
    EXPECT_EQ(sent.status, 1);
    EXPECT_FALSE(sent.err.empty());
    EXPECT_FALSE(FileExists(device));
}

}  // namespace
}  // namespace tarnik::testing
