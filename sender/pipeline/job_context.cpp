#include "sender/pipeline/job_context.h"

#include <cstring>

#include "sender/pipeline/scrambled_literal.h"

namespace tarnik {

namespace {
// Work file names of the two encoders.
constexpr auto kHpglWorkFileName = Scramble("tarnik_hpgl.job");
constexpr char kDmplWorkFileName[] = "tempfile.001";
// A settings path field as text, bounded by its array size.
std::string FieldText(const char (&field)[kSettingsPathSize]) {
    return std::string(field, strnlen(field, kSettingsPathSize));
}
}  // namespace

std::string JoinFolderAndName(const std::string& folder, const char* name, char separator) {
    std::string joined = folder;
    if (!joined.empty() && joined.back() != '\\' && joined.back() != '/') {
        joined += separator;
    }
    joined += name;
    return joined;
}

std::string JobContext::ExportFilePath() const {
    return FieldText(settings.ColExportPath) + PathSeparator +
           FieldText(settings.ColExportFilename);
}

std::string JobContext::CutFromFileTarget() const {
    return FieldText(settings.ColExportPath) + FieldText(settings.ColExportFilename);
}

std::string JobContext::HpglWorkFilePath() const {
    const auto name = kHpglWorkFileName.Reveal();
    return JoinFolderAndName(HpglWorkFolder, name.c_str(), PathSeparator);
}

std::string JobContext::DmplWorkFilePath() const {
    return JoinFolderAndName(TempFolder, kDmplWorkFileName, PathSeparator);
}

}  // namespace tarnik
