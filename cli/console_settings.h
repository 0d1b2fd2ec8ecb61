#pragma once
// Settings of a console run: the settings file named on the command line,
// else "./tarnik.ini" when there is one, else the defaults of the settings
// table. The temporary folder the settings store asks for is the run's
// private work folder.
#include <ostream>
#include <string>

#include "sender/settings/sender_settings.h"

namespace tarnik::cli {

// The settings file used when --settings is not given (when it exists).
inline constexpr char kDefaultSettingsFile[] = "tarnik.ini";

// Loads settings; false (with the reason on err) when a named settings file
// cannot be read.
bool LoadCliSettings(const std::string& settings_path, const std::string& temp_folder,
                     SenderSettings& settings, std::ostream& err);

}  // namespace tarnik::cli
