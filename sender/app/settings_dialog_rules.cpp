#include "sender/app/settings_dialog_rules.h"

#include <algorithm>
#include <cstdio>

namespace tarnik {

std::vector<std::string> PortListEntries(int32_t port_type) {
    const bool usb = port_type == 1;
    const int count = usb ? kUsbPortCount : kComPortCount;
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(count));
    char name[16] = {};
    for (int number = 1; number <= count; ++number) {
        std::snprintf(name, sizeof name, usb ? "USB%03d" : "COM%d", number);
        entries.emplace_back(name);
    }
    return entries;
}

int PortListSelection(const SenderSettings& settings) {
    const uint8_t number = settings.PortType == 1 ? settings.USBPort : settings.CurrentCom;
    return static_cast<int>(number) - 1;
}

uint8_t PortNumberFromSelection(int index) {
    return index < 0 ? 0 : static_cast<uint8_t>(index + 1);
}

int32_t ModelIndexFromSelection(int selection, int32_t stored) {
    return selection < 0 ? stored : selection;
}

int MarkColourSelection(uint8_t flag_color) {
    return static_cast<int8_t>(flag_color);
}

uint8_t FlagColorFromSelection(int index) {
    return index < 0 ? 255 : static_cast<uint8_t>(index);
}

int32_t WaitSecondInRange(int32_t wait_second) {
    return std::clamp(wait_second, kWaitSecondMin, kWaitSecondMax);
}

}  // namespace tarnik
