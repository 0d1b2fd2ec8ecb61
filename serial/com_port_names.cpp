#include "serial/com_port_names.h"

#include <cstdio>

namespace tarnik {

std::string ComDeviceName(int port) {
    char name[32] = {};
    std::snprintf(name, sizeof name, "\\\\.\\COM%d", port);
    return name;
}

std::string ComDefinition(long baud, char parity, int data_bits, int stop_bits) {
    char definition[64] = {};
    std::snprintf(definition, sizeof definition, "baud=%ld parity=%c data=%d stop=%d", baud, parity,
                  data_bits, stop_bits);
    return definition;
}

std::string PosixSerialDeviceName(int port) {
    if (port <= 0) {
        return {};
    }
    char name[32] = {};
    std::snprintf(name, sizeof name, "/dev/ttyS%d", port - 1);
    return name;
}

}  // namespace tarnik
