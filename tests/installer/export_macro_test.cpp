// The export macro runs inside CorelDRAW, where no test reaches it: what it
// shares with the job sender and the installer is read from its source and
// compared with theirs, so the two sides cannot drift apart.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "installer/install_operation.h"
#include "sender/app/settings_store.h"
#include "tests/sender/app/settings_fakes.h"

namespace tarnik::installer {
namespace {

std::string MacroSource() {
    std::ifstream file(TARNIK_SOURCE_DIR "/installer/corel/TarnikExport.bas");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The value of `Const NAME As TYPE = VALUE`, quotes removed.
std::string ConstantOf(const std::string& source, const std::string& name) {
    std::smatch match;
    const std::regex constant("Const " + name + " As \\w+ = \"?([^\"\\r\\n]*)\"?");
    return std::regex_search(source, match, constant) ? match[1].str() : "(none)";
}

TEST(ExportMacro, ReadsTheExportFileNameAsTheJobSenderDoes) {
    const std::string source = MacroSource();
    std::smatch call;
    ASSERT_TRUE(std::regex_search(
        source, call,
        std::regex("\"AutoGET\", \"ColExportFilename\", (\\w+), _\\s+buffer, (\\w+), (\\w+)\\)")))
        << "the macro reads ColExportFilename of section AutoGET";

    // What the sender reads from a tarnik.ini without the key, and from one
    // with a name longer than it takes.
    const auto sender_reads = [](std::map<std::string, std::string> values) {
        testing::CallLog log;
        testing::RecordingProfile profile(log, std::move(values));
        testing::RecordingView view(log);
        testing::RecordingEnvironment environment(log, "C:\\Temp\\");
        SenderSettings settings;
        LoadSettings(SettingsSeams{profile, view, environment}, settings);
        return std::string(settings.ColExportFilename);
    };
    // Mended: the macro fell back to "tarnik.plt", the sender to a blank.
    EXPECT_EQ(ConstantOf(source, call[1].str()), sender_reads({}))
        << "the name when tarnik.ini has none";
    const std::string longest =
        sender_reads({{"AutoGET/ColExportFilename", std::string(300, 'n')}});
    EXPECT_EQ(ConstantOf(source, call[2].str()), std::to_string(longest.size() + 1))
        << "the longest name read, with its terminator";
    EXPECT_EQ(ConstantOf(source, call[3].str()), std::string(kProgramFolder) + "tarnik.ini")
        << "the settings file the installer puts down";
}

}  // namespace
}  // namespace tarnik::installer
