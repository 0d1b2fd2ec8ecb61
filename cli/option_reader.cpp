#include "cli/option_reader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace tarnik::cli {

bool TakeOption(std::vector<std::string>& args, std::size_t i, const std::string& name,
                std::string& value, bool& has_value) {
    const std::string& arg = args[i];
    const auto at = args.begin() + static_cast<std::ptrdiff_t>(i);
    if (arg == name) {
        has_value = i + 1 < args.size();
        value = has_value ? args[i + 1] : std::string();
        args.erase(at, has_value ? at + 2 : at + 1);
        return true;
    }
    if (arg.rfind(name + "=", 0) == 0) {
        value = arg.substr(name.size() + 1);
        has_value = true;
        args.erase(at);
        return true;
    }
    return false;
}

bool ReadFiniteNumber(const std::string& text, double& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const double read = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(read))
        return false;
    value = read;
    return true;
}

}  // namespace tarnik::cli
