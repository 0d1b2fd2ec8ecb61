// An output that takes a finished file under a second name: the target shows
// the file's bytes only after Commit, and every other ending leaves the
// older target, the finished file and no temporary name behind.
#include "cli/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/test_files.h"

namespace tarnik::testing {
namespace {

using cli::OutputFile;

constexpr char kJob[] = ";:H A L0 EC1 U U0,0 @";
constexpr char kOlder[] = "an older job";

enum class Ending { Commit, Drop, WriteThenCommit };

struct LinkCase {
    const char* label;
    bool leftover_part;  // an earlier, killed run left "out.job.part0"
    Ending ending;
    bool committed;
};

TEST(OutputFileLink, TargetChangesOnlyOnCommitAndTheSourceStaysAsItWas) {
    const LinkCase cases[] = {
        {"committed", false, Ending::Commit, true},
        {"committed past a leftover temporary name", true, Ending::Commit, true},
        {"dropped before commit", false, Ending::Drop, false},
        // The source is the job's work file: a write must never reach it.
        {"written to after linking", false, Ending::WriteThenCommit, false},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.label);
        ScratchFolder folder;
        const std::string source = folder.File("tempfile.001");
        const std::string target = folder.File("out.job");
        WriteWholeFile(source, kJob);
        WriteWholeFile(target, kOlder);
        if (c.leftover_part) {
            WriteWholeFile(target + ".part0", "left behind");
        }
        {
            OutputFile file;
            ASSERT_TRUE(file.CreateAsLinkOf(target, source.c_str()));
            if (c.ending == Ending::Commit) {
                EXPECT_TRUE(file.Commit());
            } else if (c.ending == Ending::WriteThenCommit) {
                EXPECT_FALSE(file.Write("x", 1));
                EXPECT_FALSE(file.Commit());
            }
        }
        EXPECT_EQ(ReadWholeFile(target), c.committed ? kJob : kOlder);
        EXPECT_EQ(ReadWholeFile(source), kJob);
        EXPECT_FALSE(FileExists(target + ".part1"));
        EXPECT_EQ(FileExists(target + ".part0"), c.leftover_part);
    }
}

TEST(OutputFileLink, AFileThatCannotBeLinkedLeavesNothing) {
    ScratchFolder folder;
    const std::string target = folder.File("out.job");
    OutputFile file;
    EXPECT_FALSE(file.CreateAsLinkOf(target, folder.File("missing").c_str()));
    EXPECT_FALSE(file.Commit());
    EXPECT_FALSE(FileExists(target));
    EXPECT_FALSE(FileExists(target + ".part0"));
}

// The last step, the rename over the target, can fail (here: a folder took
// the target's name meanwhile): no partial or finished file stays behind
// under a temporary name, whichever way the file was made.
TEST(OutputFileRename, AFailedRenameLeavesNoFileBehind) {
    const struct {
        const char* label;
        bool linked;
    } cases[] = {{"written", false}, {"linked", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ScratchFolder folder;
        const std::string target = folder.File("out.job");
        const std::string finished = folder.File("finished.job");
        WriteWholeFile(finished, kJob);
        OutputFile file;
        ASSERT_TRUE(c.linked ? file.CreateAsLinkOf(target, finished.c_str())
                             : file.Create(target) && file.Write(kJob, sizeof(kJob) - 1));
        std::filesystem::create_directories(std::filesystem::path(target) / "in the way");
        EXPECT_FALSE(file.Commit());
        EXPECT_FALSE(FileExists(target + ".part0"));
        EXPECT_FALSE(FileExists(target + ".part1"));
        EXPECT_EQ(ReadWholeFile(finished), kJob);
    }
}

}  // namespace
}  // namespace tarnik::testing
