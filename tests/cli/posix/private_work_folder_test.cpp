// A run writes its fixed-name files ("tempfile.001", the export file, the
// HPGL work file) only into its own new folder: a link of the same name
// planted in the shared temporary folder is never written through.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/cli_test_helpers.h"
#include "support/posix/tmpdir_scope.h"
#include "support/test_files.h"

namespace tarnik::testing {
namespace {

constexpr char kSquare[] = "IN;SP1;PU0,0;PD3150,0;PD3150,3150;PD0,3150;PD0,0;PU0,0;";

bool IsLink(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

int CountRunFolders(const std::filesystem::path& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        count += entry.path().filename().string().starts_with("tarnik-") ? 1 : 0;
    }
    return count;
}

// Two runs (both models) with links planted under every fixed name in the
// temporary folder they are given.
TEST(PrivateWorkFolder, PlantedLinksInTheTemporaryFolderAreNeverWrittenThrough) {
    ScratchFolder shared;
    ScratchFolder elsewhere;
    const std::string victim = elsewhere.File("victim");
    WriteWholeFile(victim, "keep");
    for (const char* name : {"tempfile.001", "tarnik_hpgl.job", "export.plt", "tarnik.plt"}) {
        ASSERT_EQ(symlink(victim.c_str(), shared.File(name).c_str()), 0);
    }
    const std::string plot = elsewhere.File("square.plt");
    WriteWholeFile(plot, kSquare);
    const std::string hpgl_ini = elsewhere.File("hpgl.ini");
    WriteWholeFile(hpgl_ini, "[Model]\r\nMode=2\r\n");
    TmpdirScope tmpdir(shared.Path().c_str());
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        const std::string output = elsewhere.File("out" + std::to_string(run) + ".job");
        std::vector<std::string> args{"cut", "-o", output};
        if (run == 1) {
            args.insert(args.end(), {"--settings", hpgl_ini});
        }
        args.push_back(plot);
        const CliResult result = RunTool(args);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(ReadWholeFile(victim), "keep");
        EXPECT_EQ(CountRunFolders(shared.Path()), 0) << "the run's folder was not removed";
    }
    for (const char* name : {"tempfile.001", "tarnik_hpgl.job", "export.plt", "tarnik.plt"}) {
        EXPECT_TRUE(IsLink(shared.File(name))) << name;
    }
}

// The same in /tmp itself, where the pipeline's fixed names would land
// without a private folder. Skipped when something of that name is there
// already (it is not ours to replace).
TEST(PrivateWorkFolder, PlantedLinkInSlashTmpIsUntouched) {
    const std::string planted = "/tmp/tempfile.001";
    struct stat info {};
    if (lstat(planted.c_str(), &info) == 0) {
        GTEST_SKIP() << planted << " exists already";
    }
    ScratchFolder elsewhere;
    const std::string victim = elsewhere.File("victim");
    WriteWholeFile(victim, "keep");
    ASSERT_EQ(symlink(victim.c_str(), planted.c_str()), 0);
    const std::string plot = elsewhere.File("square.plt");
    WriteWholeFile(plot, kSquare);
    TmpdirScope tmpdir(nullptr);
    const CliResult first = RunTool({"cut", "-o", elsewhere.File("a.job"), plot});
    const CliResult second = RunTool({"cut", "-o", elsewhere.File("b.job"), plot});
    const bool still_link = IsLink(planted);
    unlink(planted.c_str());
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_TRUE(still_link);
    EXPECT_EQ(ReadWholeFile(victim), "keep");
    EXPECT_EQ(ReadWholeFile(elsewhere.File("a.job")), ReadWholeFile(elsewhere.File("b.job")));
}

}  // namespace
}  // namespace tarnik::testing
