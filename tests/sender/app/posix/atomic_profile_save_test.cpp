// A save of the settings file on POSIX replaces the file in one rename: a
// save that fails half way (full disk, read-only folder) leaves the old file
// exactly as it was and no temporary file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "sender/app/posix/atomic_file.h"
#include "sender/app/profile_file.h"
#include "sender/app/settings_store.h"
#include "support/posix/file_size_limit.h"
#include "support/test_files.h"

namespace tarnik {
namespace {

using testing::FileSizeLimit;
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

// The process killed at any moment of a save (between the write of the new
// file and its rename included): the settings file is always the old one
// or the new one whole, loads as one of them, and the next save works. A
// killed save may leave its temporary file ("tarnik.ini.XXXXXX") behind.
TEST(AtomicProfileSave, KilledSaveLeavesTheOldOrTheNewFile) {
    ScratchFolder folder;
    const std::string path = folder.File("tarnik.ini");
    // Two files of 40 KB that differ in every key, so that half of each shows.
    std::string old_file = "[CutConfig]\r\n";
    std::string new_file = "[CutConfig]\r\n";
    for (int key = 0; key < 2000; ++key) {
        old_file += "Key" + std::to_string(key) + "=old\r\n";
        new_file += "Key" + std::to_string(key) + "=new\r\n";
    }
    int old_seen = 0;
    int new_seen = 0;
    for (int round = 0; round < 40; ++round) {
        WriteWholeFile(path, old_file);
        const pid_t saver = fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            // Saves the new text, then the old, and so on, until killed.
            for (int i = 0;; ++i) {
                ReplaceFileAtomically(path, i % 2 == 0 ? new_file : old_file);
            }
        }
        usleep(static_cast<useconds_t>(200 + round * 137 % 3000));
        kill(saver, SIGKILL);
        int status = 0;
        waitpid(saver, &status, 0);
        const std::string left = ReadWholeFile(path);
        ASSERT_TRUE(left == old_file || left == new_file)
            << "round " << round << ": " << left.size() << " bytes";
        (left == old_file ? old_seen : new_seen) += 1;
        char value[kSettingTextSize];
        OpenProfileFile(path.c_str())->ReadSetting("CutConfig", "Key1999", value, sizeof value);
        EXPECT_STREQ(value, left == old_file ? "old" : "new");
    }
    EXPECT_GT(old_seen + new_seen, 0);
    ASSERT_TRUE(OpenProfileFile(path.c_str())->WriteSetting("CutConfig", "Key0", "after"));
    EXPECT_NE(ReadWholeFile(path).find("Key0=after\r\n"), std::string::npos);
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
