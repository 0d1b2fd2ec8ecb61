// One table of profile file cases for both platforms: natively it checks our
// own profile file, under Wine the Windows profile API. The expected values
// and bytes were taken from the Windows profile API, so both implementations
// must produce the same reads and the same file, byte for byte.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "sender/app/profile_file.h"
#include "support/test_files.h"

namespace tarnik {
namespace {

using testing::FileExists;
using testing::ReadWholeFile;
using testing::ScratchFolder;
using testing::WriteWholeFile;

struct ProfileRead {
    const char* section;
    const char* key;
    std::string value;
    bool present;
};

struct ProfileWrite {
    const char* section;
    const char* key;
    const char* text;
};

struct ProfileCase {
    const char* label;
    std::optional<std::string> initial;   // no file when empty
    std::vector<ProfileRead> reads;       // done on the initial file
    std::vector<ProfileWrite> writes;     // then these, in order
    std::optional<std::string> expected;  // the file afterwards; no file when empty
};

const std::string kDigits61 = "0123456789012345678901234567890123456789012345678901234567890";

const std::vector<ProfileCase>& Cases() {
    static const std::vector<ProfileCase> cases = {
        {"missing file reads the default",
         std::nullopt,
         {{"S", "k", " ", false}},
         {},
         std::nullopt},
        {"missing file is created by a write",
         std::nullopt,
         {},
         {{"Sec", "Key", "Val"}},
         "[Sec]\r\nKey=Val\r\n"},
        {"empty file gets its first section", "", {}, {{"S", "k", "v"}}, "[S]\r\nk=v\r\n"},
        {"missing section is appended at the end",
         "[A]\na=1\n\n[B]\nb=2\n",
         {{"C", "c", " ", false}, {"A", "b", " ", false}},
         {{"C", "c", "3"}},
         "[A]\r\na=1\r\n[B]\r\nb=2\r\n[C]\r\nc=3\r\n"},
        {"missing key goes to the end of its section",
         "[A]\r\na=1\r\n\r\n[B]\r\nb=2",
         {},
         {{"A", "x", "3"}},
         "[A]\r\na=1\r\nx=3\r\n[B]\r\nb=2\r\n"},
        {"first section and first key of a name win",
         "[S]\r\nk=1\r\nK=2\r\n[s]\r\nk=3\r\nz=9\r\n",
         {{"S", "k", "1", true}, {"S", "z", " ", false}},
         {{"S", "K", "7"}, {"S", "z", "8"}},
         "[S]\r\nk=7\r\nK=2\r\nz=8\r\n[s]\r\nk=3\r\nz=9\r\n"},
        {"names match without regard to case",
         "[CutConfig]\r\nPortType=1\r\n",
         {{"CUTCONFIG", "porttype", "1", true}},
         {{"cutconfig", "PORTTYPE", "0"}},
         "[CutConfig]\r\nPortType=0\r\n"},
        {"blanks around names, = and values are dropped",
         "[ S ] ; note\r\n  k = v \r\n t =\tx\t\r\n\tk2\t=\x1a"
         "1\x1a\r\n  my key  =  v 1 \r\n",
         {{"S", "k", "v", true},
          {" S ", " t ", "x", true},
          {"S", "k2", "1", true},
          {"S", "my key", "v 1", true}},
         {{"S", "other", "1"}},
         "[S]\r\nk=v\r\nt=x\r\nk2=1\r\nmy key=v 1\r\nother=1\r\n"},
        {"written names and values lose leading blanks; the next write trims them",
         "[S]\nk=v\n",
         {},
         {{" S ", " k2 ", " x "}, {" Z ", " k ", "v"}},
         "[S]\r\nk=v\r\nk2=x\r\n[Z ]\r\nk =v\r\n"},
        {"one pair of matching quotes is removed",
         "[S]\r\nq=\"quoted v\"\r\nq1=\" x\r\nq2='s'\r\nq3=\"\"\r\nq4=\"\r\nq5='x\"\r\n"
         "q6=\" in \"\r\nq7=\"a\"b\r\nq8=a\"b\"\r\nq9= \"c\" \r\nq10=\" \"\r\n",
         {{"S", "q", "quoted v", true},
          {"S", "q1", "\" x", true},
          {"S", "q2", "s", true},
          {"S", "q3", "", true},
          {"S", "q4", "\"", true},
          {"S", "q5", "'x\"", true},
          {"S", "q6", " in ", true},
          {"S", "q7", "\"a\"b", true},
          {"S", "q8", "a\"b\"", true},
          {"S", "q9", "c", true},
          {"S", "q10", " ", false}},
         {},
         "[S]\r\nq=\"quoted v\"\r\nq1=\" x\r\nq2='s'\r\nq3=\"\"\r\nq4=\"\r\nq5='x\"\r\n"
         "q6=\" in \"\r\nq7=\"a\"b\r\nq8=a\"b\"\r\nq9= \"c\" \r\nq10=\" \"\r\n"},
        {"empty values are present, a line without = is not",
         "[S]\r\ne=\r\nb= \r\nnoeq\r\n",
         {{"S", "e", "", true}, {"S", "b", "", true}, {"S", "noeq", " ", false}},
         {{"S", "k", ""}, {"S", "noeq", "5"}},
         "[S]\r\ne=\r\nb=\r\nnoeq=5\r\nk=\r\n"},
        {"comments and odd lines stay in order, blank lines go",
         ";top\r\n\r\njunk line\r\n[A]\r\n; c1\r\na=1\r\n=e\r\n[T\r\nt=1\r\n\r\n[U]x\r\nu=2\r\n",
         {{"A", "t", "1", true}, {"T", "t", " ", false}, {"U", "u", "2", true}},
         {{"A", "a", "5"}},
         ";top\r\njunk line\r\n[A]\r\n; c1\r\na=5\r\n=e\r\n[T\r\nt=1\r\n[U]\r\nu=2\r\n"},
        {"LF file is rewritten with CR LF on a change",
         "[A]\na=1\n\n[B]\nb=2\n",
         {{"B", "b", "2", true}},
         {{"A", "a", "5"}},
         "[A]\r\na=5\r\n[B]\r\nb=2\r\n"},
        {"unchanged value leaves an LF file untouched",
         "[A]\na=1\n\n[B]\nb=2",
         {},
         {{"A", "a", "1"}, {"b", "B", " 2"}},
         "[A]\na=1\n\n[B]\nb=2"},
        {"lines end at CR or LF, a section name runs to the last ]",
         "[S]\rk=1\n[a]b]\r\nx=1\r\nj=2 \x0b\x0c\n",
         {{"S", "k", "1", true}, {"a]b", "x", "1", true}, {"a]b", "j", "2", true}},
         {{"a]b", "x", "3"}},
         "[S]\r\nk=1\r\n[a]b]\r\nx=3\r\nj=2\r\n"},
        {"values are cut by the read buffer",
         "[S]\r\nk=" + kDigits61 + "\r\nq=\"" + kDigits61.substr(0, 49) + "\"\r\nr=\"" +
             kDigits61.substr(0, 48) + "\"\r\nt=\"" + kDigits61.substr(0, 50) + "\"\r\n",
         {{"S", "k", kDigits61.substr(0, 49), true},
          {"S", "q", kDigits61.substr(0, 48), true},
          {"S", "r", kDigits61.substr(0, 48), true},
          {"S", "t", kDigits61.substr(0, 49), true}},
         {},
         std::nullopt},
        {"UTF-8 byte order mark is kept",
         "\xEF\xBB\xBF[S]\r\nk=1\r\n",
         {{"S", "k", "1", true}},
         {{"S", "k", "3"}},
         "\xEF\xBB\xBF[S]\r\nk=3\r\n"},
    };
    return cases;
}

TEST(ProfileFileConformance, ReadsAndWritesMatchTheWindowsProfileApi) {
    for (const ProfileCase& test : Cases()) {
        SCOPED_TRACE(test.label);
        ScratchFolder folder;
        const std::string path = folder.File("tarnik.ini");
        if (test.initial)
            WriteWholeFile(path, *test.initial);
        std::unique_ptr<ProfileFile> profile = OpenProfileFile(path.c_str());
        for (const ProfileRead& read : test.reads) {
            SCOPED_TRACE(std::string(read.section) + "/" + read.key);
            char buffer[kSettingTextSize];
            EXPECT_EQ(profile->ReadSetting(read.section, read.key, buffer, sizeof buffer),
                      read.present);
            EXPECT_EQ(std::string(buffer), read.value);
        }
        for (const ProfileWrite& write : test.writes) {
            EXPECT_TRUE(profile->WriteSetting(write.section, write.key, write.text));
        }
        const std::optional<std::string> expected = test.expected         ? test.expected
                                                    : test.writes.empty() ? test.initial
                                                                          : std::nullopt;
        if (expected) {
            EXPECT_EQ(ReadWholeFile(path), *expected);
        } else {
            EXPECT_FALSE(FileExists(path));
        }
    }
}

TEST(ProfileFileConformance, WriteIntoMissingFolderFails) {
    ScratchFolder folder;
    const std::string path = folder.File("absent") + "/tarnik.ini";
    EXPECT_FALSE(OpenProfileFile(path.c_str())->WriteSetting("S", "k", "1"));
    EXPECT_FALSE(FileExists(path));
}

}  // namespace
}  // namespace tarnik
