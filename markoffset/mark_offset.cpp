#include "markoffset/mark_offset.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <system_error>

namespace tarnik::markoffset {

std::string& OffsetOf(MarkOffsets& offsets, OffsetField field) {
    switch (field) {
        case OffsetField::kUpper:
            return offsets.upper;
        case OffsetField::kLower:
            return offsets.lower;
        case OffsetField::kLeft:
            return offsets.left;
        case OffsetField::kRight:
            break;
    }
    return offsets.right;
}

OffsetField PartnerOf(OffsetField field) {
    switch (field) {
        case OffsetField::kUpper:
            return OffsetField::kLower;
        case OffsetField::kLower:
            return OffsetField::kUpper;
        case OffsetField::kLeft:
            return OffsetField::kRight;
        case OffsetField::kRight:
            break;
    }
    return OffsetField::kLeft;
}

bool IsOffsetText(std::string_view text) {
    for (const char c : text) {
        if (!(c == '.' || (c >= '0' && c <= '9'))) {
            return false;
        }
    }
    return true;
}

bool ValidateOffset(MarkOffsets& offsets, OffsetField field) {
    if (IsOffsetText(OffsetOf(offsets, field))) {
        OffsetOf(offsets, PartnerOf(field)) = kZeroOffset;
        return true;
    }
    OffsetOf(offsets, field) = kZeroOffset;
    return false;
}

std::string FormatOffset(std::string_view text) {
    // The leading number only, read the same whatever the locale's decimal
    // point: digits, at most one point, then digits; nothing read gives 0.
    size_t end = 0;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) {
        ++end;
    }
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) {
            ++end;
        }
    }
    double value = 0.0;
    const std::from_chars_result read =
        std::from_chars(text.data(), text.data() + end, value, std::chars_format::fixed);
    if (read.ec != std::errc()) {
        value = 0.0;  // "", "." and numbers beyond a double's range
    }
    // The largest double has 309 digits before the point.
    char buffer[400];
    const std::to_chars_result written =
        std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, 2);
    if (written.ec != std::errc()) {
        return kZeroOffset;
    }
    return std::string(buffer, written.ptr);
}

std::string LeadIn() {
    return std::string(62, ' ') + "\t\t" + std::string(45, ' ');
}

std::string MarkOffsetCommands(const MarkOffsets& offsets, bool with_lead_in) {
    std::string commands = with_lead_in ? LeadIn() : std::string();
    commands += offsets.upper != kZeroOffset ? "$A,-" + offsets.upper : "$A," + offsets.lower;
    commands += ";\r\n";
    commands += offsets.left != kZeroOffset ? "$B," + offsets.left : "$B,-" + offsets.right;
    commands += ";\r\n";
    commands += "$$\r\n";
    return commands;
}

std::string PltSavePath(std::string_view path) {
    // The extension is what follows the last point of the file's own name.
    const size_t name_start = path.find_last_of("\\/:");
    const size_t point = path.rfind('.');
    std::string extension;
    if (point != std::string_view::npos &&
        (name_start == std::string_view::npos || point > name_start)) {
        for (const char c : path.substr(point + 1)) {
            extension += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    std::string result(path);
    if (extension != "plt") {
        result += ".plt";
    }
    return result;
}

std::string ListedPortName(int index) {
    return "COM" + std::to_string(index + 1);
}

int ListedPortIndex(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return -1;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    for (int index = 0; index < kListedPortCount; ++index) {
        const std::string name = ListedPortName(index);
        if (name.size() == text.size() &&
            std::equal(name.begin(), name.end(), text.begin(), [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) ==
                       std::toupper(static_cast<unsigned char>(b));
            })) {
            return index;
        }
    }
    return -1;
}

}  // namespace tarnik::markoffset
