#include "installer/version_table.h"

#include <cstring>

namespace tarnik::installer {
namespace {

constexpr const char* kCommandFile = "command.cwf";
constexpr const char* kXslt = "nvout.xslt";
constexpr const char* kCdws = "nvout.cdws";
constexpr const char* kCdwsX8 = "nvoutX8.cdws";

constexpr const char* k12Settings = "CorelDRAW12\\_default\\FiltMan.ini";
constexpr const char* kX3Settings = "CorelDRAW\\_default\\FiltMan.ini";
constexpr const char* kX5Settings = "_default\\FiltMan.ini";
constexpr const char* kX7Settings = "settings.ini";

constexpr Sequence k11 = Sequence::kCorel11;
constexpr Sequence kSuite = Sequence::kSuite;

}  // namespace

const VersionRow kVersionTable[kVersionCount] = {
    {"Corel Graphics 11", "coreldraw.Application.11", "CorelDRAW 11 not be installed!", k11,
     VbaRule::kStop, kCommandFile, nullptr},
    {"Corel Graphics 12", "coreldraw.Application.12", "CorelDRAW 12 not be installed!", kSuite,
     VbaRule::kWarn, kXslt, k12Settings},
    {"CorelDRAW Graphics Suite X3", "coreldraw.Application.13", "CorelDRAW X3 not be installed!",
     kSuite, VbaRule::kWarn, kXslt, kX3Settings},
    {"CorelDRAW Graphics Suite X4", "coreldraw.Application.14", "CorelDRAW X4 not be installed!",
     kSuite, VbaRule::kWarn, kXslt, kX3Settings},
    {"CorelDRAW Graphics Suite X5", "coreldraw.Application.15", "CorelDRAW X5 not be installed!",
     kSuite, VbaRule::kIgnore, kXslt, kX5Settings},
    {"CorelDRAW Graphics Suite X6", "coreldraw.Application.16", "CorelDRAW X6 not be installed!",
     kSuite, VbaRule::kIgnore, kXslt, kX5Settings},
    {"CorelDRAW Graphics Suite X6.1", "coreldraw.Application.16.1",
     "CorelDRAW X6(64bit)not be installed!", kSuite, VbaRule::kIgnore, kXslt, kX5Settings},
    {"CorelDRAW Graphics Suite X7", "coreldraw.Application.17", "CorelDRAW X7 not be installed!",
     kSuite, VbaRule::kIgnore, kCdws, kX7Settings},
    {"CorelDRAW Graphics Suite X8", "coreldraw.Application.18", "CorelDRAW X8 not be installed!",
     kSuite, VbaRule::kIgnore, kCdwsX8, kX7Settings},
    {"CorelDRAW Graphics Suite 2017", "coreldraw.Application.19",
     "CorelDRAW 2017 not be installed!", kSuite, VbaRule::kIgnore, kCdwsX8, kX7Settings},
    {"CorelDRAW Graphics Suite 2018", "coreldraw.Application.20",
     "CorelDRAW 2018 not be installed!", kSuite, VbaRule::kIgnore, kCdwsX8, kX7Settings},
    {"CorelDRAW Graphics Suite 2019", "coreldraw.Application.21",
     "CorelDRAW 2019 not be installed!", kSuite, VbaRule::kIgnore, kCdwsX8, kX7Settings},
};

const VersionRow* VersionAt(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= kVersionCount) {
        return nullptr;
    }
    return &kVersionTable[index];
}

int FindVersion(const char* text) {
    for (std::size_t i = 0; i < kVersionCount; ++i) {
        if (std::strcmp(kVersionTable[i].list_text, text) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace tarnik::installer
