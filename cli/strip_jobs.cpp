#include "cli/strip_jobs.h"

namespace tarnik::cli {

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
