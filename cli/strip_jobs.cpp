#include "cli/strip_jobs.h"

namespace tarnik::cli {

std::string StripOutputPath(const std::string& path, int32_t number) {
    const std::size_t name = path.find_last_of("/\\");
    const std::size_t dot = path.find_last_of('.');
    const bool has_extension =
        dot != std::string::npos && dot > (name == std::string::npos ? 0 : name + 1);
    const std::size_t at = has_extension ? dot : path.size();
    return path.substr(0, at) + "-" + std::to_string(number) + path.substr(at);
}

bool WaitForNextStrip(int32_t done, int32_t count, std::istream& in, std::ostream& err) {
    err << "tarnik-cli: strip " << done << " of " << count
        << " sent. Feed the media back for the next strip and press Enter (end of input "
           "stops here).\n";
    std::string line;
    if (std::getline(in, line))
        return true;
    err << "tarnik-cli: strips " << done + 1 << " to " << count << " were not sent\n";
    return false;
}

}  // namespace tarnik::cli
