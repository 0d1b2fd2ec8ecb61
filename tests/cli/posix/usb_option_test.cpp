// tarnik-cli --usb with a printer device: a plain file stands in for
// /dev/usb/lp0 and must end up holding exactly the job --output writes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

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

// A printer device another job holds (its lock taken through a descriptor of
// its own) is refused by name, and nothing is written into it.
TEST(CliUsb, ADeviceAnotherJobHoldsIsRefused) {
    ScratchFolder folder;
    const std::string device = folder.File("lp0");
    WriteWholeFile(device, "the other job");
    const int other_job = open(device.c_str(), O_WRONLY);
    ASSERT_GE(other_job, 0);
    ASSERT_EQ(flock(other_job, LOCK_EX), 0);
    const CliResult sent = RunTool(
        {"cut", "--settings", SampleFile("tarnik.ini"), "--usb", device, SampleFile("sign.plt")});
    close(other_job);
    EXPECT_EQ(sent.status, 1);
    EXPECT_NE(sent.err.find(device + " is in use by another job"), std::string::npos) << sent.err;
    EXPECT_EQ(ReadWholeFile(device), "the other job");
}

}  // namespace
}  // namespace tarnik::testing
