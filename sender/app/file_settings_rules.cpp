#include "sender/app/file_settings_rules.h"

#include "sender/transport/line_time.h"

namespace tarnik {
int CutOrderListIndex(CutOrder order) {
    const int index = static_cast<int>(order);
    return index >= 0 && index < kCutOrderEntries ? index : 0;
}

CutOrder CutOrderFromListIndex(int index) {
    return index >= 0 && index < kCutOrderEntries ? static_cast<CutOrder>(index) : CutOrder::Drawn;
}

std::string LineTimeText(const std::string& template_text, std::optional<uint64_t> bytes) {
    return FillTimeTemplate(template_text,
                            bytes ? FormatLineTime(LineSeconds(*bytes)) : std::string("-"));
}

}  // namespace tarnik
