// A save of the settings file on POSIX replaces the file in one rename: a
// save that fails half way (full disk, read-only folder) leaves the old file
// exactly as it was and no temporary file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "sender/app/posix/atomic_file.h"
#include "sender/app/profile_file.h"
#include "sender/app/settings_store.h"
#include "support/test_files.h"

namespace tarnik {
namespace {

using testing::ReadWholeFile;
using testing::ScratchFolder;
using testing::WriteWholeFile;

const std::string kOldFile = "[COM]\r\nCurrentCom=2\r\n";

int FilesIn(const ScratchFolder& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        ++count;
    }
    return count;
}

// Lowers the largest file this process may write, as a full disk would stop
// the save part way through the new file.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        old_handler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    sighandler_t old_handler_ = SIG_DFL;
};

TEST(AtomicProfileSave, SaveCutShortLeavesTheOldFile) {
    ScratchFolder folder;
    const std::string path = folder.File("tarnik.ini");
    WriteWholeFile(path, kOldFile);
    const std::unique_ptr<ProfileFile> profile = OpenProfileFile(path.c_str());
    {
        FileSizeLimit limit(kOldFile.size() + 4);
        EXPECT_FALSE(profile->WriteSetting("AutoGET", "ColExportPath", "/tmp/"));
    }
    EXPECT_EQ(ReadWholeFile(path), kOldFile);
    EXPECT_EQ(FilesIn(folder), 1);
}

TEST(AtomicProfileSave, ReadOnlyFolderLeavesTheOldFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    ScratchFolder folder;
    const std::string path = folder.File("tarnik.ini");
    WriteWholeFile(path, kOldFile);
    chmod(folder.Path().c_str(), 0555);
    EXPECT_FALSE(OpenProfileFile(path.c_str())->WriteSetting("COM", "CurrentCom", "3"));
    chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(ReadWholeFile(path), kOldFile);
    EXPECT_EQ(FilesIn(folder), 1);
}

TEST(AtomicProfileSave, ReplacementKeepsPermissionsAndLinks) {
    ScratchFolder folder;
    const std::string path = folder.File("tarnik.ini");
    const std::string link = folder.File("link.ini");
    WriteWholeFile(path, kOldFile);
    chmod(path.c_str(), 0600);
    std::filesystem::create_symlink(path, link);
    ASSERT_TRUE(OpenProfileFile(link.c_str())->WriteSetting("COM", "CurrentCom", "3"));
    EXPECT_EQ(ReadWholeFile(path), "[COM]\r\nCurrentCom=3\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    struct stat status {};
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_EQ(FilesIn(folder), 2);
}

TEST(PosixTemporaryFolder, ComesFromTmpdirWithATrailingSlash) {
    const char* saved = getenv("TMPDIR");
    const std::string old = saved ? saved : "";
    struct Case {
        const char* tmpdir;  // nullptr: unset
        const char* expected;
    } cases[] = {
        {"/var/tmp", "/var/tmp/"}, {"/var/tmp/", "/var/tmp/"}, {nullptr, "/tmp/"}, {"", "/tmp/"}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.tmpdir ? test.tmpdir : "(unset)");
        if (test.tmpdir) {
            setenv("TMPDIR", test.tmpdir, 1);
        } else {
            unsetenv("TMPDIR");
        }
        char buffer[kSettingsPathSize];
        ASSERT_TRUE(SystemTemporaryFolder(buffer, sizeof buffer));
        EXPECT_STREQ(buffer, test.expected);
    }
    char small[6];
    setenv("TMPDIR", "/var/tmp", 1);
    EXPECT_FALSE(SystemTemporaryFolder(small, sizeof small));
    if (saved) {
        setenv("TMPDIR", old.c_str(), 1);
    } else {
        unsetenv("TMPDIR");
    }
}

}  // namespace
}  // namespace tarnik
