// The private work folder of a run: new for every run, removed afterwards.
#include "cli/work_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "support/test_files.h"

namespace tarnik::testing {
namespace {

TEST(WorkFolder, EveryRunGetsItsOwnFolderRemovedWithEverythingInIt) {
    auto first = std::make_unique<cli::WorkFolder>();
    auto second = std::make_unique<cli::WorkFolder>();
    ASSERT_TRUE(first->Create());
    ASSERT_TRUE(second->Create());
    EXPECT_NE(first->Path(), second->Path());
    const std::string first_path = first->Path();
    // What the pipeline leaves there: its work files, and a folder.
    WriteWholeFile(first->File("tempfile.001"), "job");
    std::filesystem::create_directory(first->File("sub"));
    WriteWholeFile(first->File("sub") + "/x", "x");
    EXPECT_TRUE(FileExists(first->File("tempfile.001")));
    EXPECT_FALSE(FileExists(second->File("tempfile.001")));
    first.reset();
    EXPECT_FALSE(FileExists(first_path));
    EXPECT_TRUE(FileExists(second->Path()));
    const std::string second_path = second->Path();
    second.reset();
    EXPECT_FALSE(FileExists(second_path));
}

TEST(WorkFolder, PathWithSeparatorEndsWithOne) {
    cli::WorkFolder folder;
    ASSERT_TRUE(folder.Create());
    const std::string path = folder.PathWithSeparator();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(path.back() == '/' || path.back() == '\\');
    EXPECT_EQ(folder.File("a"), path + "a");
}

}  // namespace
}  // namespace tarnik::testing
