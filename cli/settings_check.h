#pragma once
// Reading a settings file as a user wrote it: the job sender reads every
// value the way the profile functions and atoi/atof do, so "0,30" is 0 and a
// misspelt key is a default, without a word. The command-line tool says so
// before the job: a value that does not read whole as a number, a section
// or key the settings file does not have, a file that is no settings file.
#include <ostream>
#include <string>
#include <string_view>

namespace tarnik::cli {

// Writes one warning per finding to err ("tarnik-cli: FILE:LINE: ..."),
// with path naming the file. Returns the number of warnings.
int CheckSettingsText(std::string_view text, const std::string& path, std::ostream& err);

}  // namespace tarnik::cli
