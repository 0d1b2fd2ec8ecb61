#pragma once
// Which commands of the notification icon's menu are greyed: while idle
// there is nothing to cancel; while a job is sent the program must neither
// end nor change its settings under the job.
#include <array>

#include "sender/res/resource.h"

namespace tarnik {

struct TrayMenuGreying {
    std::array<int, 2> items;  // command ids; 0 marks an unused slot
};

inline constexpr TrayMenuGreying GreyedTrayItems(bool idle) {
    return idle ? TrayMenuGreying{{ID_TRAY_CANCEL, 0}}
                : TrayMenuGreying{{ID_TRAY_EXIT, ID_TRAY_OPTIONS}};
}

}  // namespace tarnik
