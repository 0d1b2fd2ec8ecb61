#pragma once
// What the file settings dialog decides about the job plan: which entry of
// the cut-order list a stored order selects and back, the panel length it
// keeps, and the texts of the job's time on the line.
#include <cstdint>
#include <optional>
#include <string>

#include "sender/settings/cut_plan_options.h"

namespace tarnik {

// The list's entries, in this order: as drawn, inside first, shortest.
inline constexpr int kCutOrderEntries = 3;

int CutOrderListIndex(CutOrder order);
// An index outside the list (none selected) gives the drawn order.
CutOrder CutOrderFromListIndex(int index);

// template_text with its "%s" replaced by the line time of bytes, or by "-"
// when the job's size is not known ("Time on the line: %s").
std::string LineTimeText(const std::string& template_text, std::optional<uint64_t> bytes);

}  // namespace tarnik
