// Loading the settings of a console run.
#include "cli/console_settings.h"

#include <cstdio>

#include "sender/pipeline/work_file.h"

namespace tarnik::cli {

bool LoadCliSettings(const std::string& settings_path, const std::string& temp_folder,
                     SenderSettings& settings, std::ostream& err) {
    settings = SenderSettings{};
    std::string path = settings_path;
    if (path.empty()) {
        if (!CanOpenForReading(kDefaultSettingsFile)) {
            return true;
        }
        path = kDefaultSettingsFile;
    }
    if (!CanOpenForReading(path.c_str())) {
        err << "tarnik-cli: cannot read the settings file " << path << "\n";
        return false;
    }
    (void)temp_folder;
    return true;
}

}  // namespace tarnik::cli
