#include "sender/app/profile_text.h"

#include <algorithm>
#include <cstring>

namespace tarnik {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsProfileBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsProfileBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view Trim(std::string_view text) {
    return TrimRight(TrimLeft(text));
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

}  // namespace

ProfileText ProfileText::Parse(std::string_view bytes) {
    ProfileText text;
    text.sections_.push_back(Section{});
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        text.utf8_bom_ = true;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    while (!bytes.empty()) {
        const std::size_t end = bytes.find_first_of("\r\n");
        const std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        text.ParseLine(Trim(line));
    }
    return text;
}

void ProfileText::ParseLine(std::string_view line) {
    if (line.empty())
        return;
    if (line.front() == '[') {
        const std::size_t close = line.rfind(']');
        if (close != std::string_view::npos) {
            sections_.push_back(Section{std::string(Trim(line.substr(1, close - 1))), {}});
            return;
        }
    }
    Entry entry;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        entry.name = std::string(line);
    } else {
        entry.name = std::string(TrimRight(line.substr(0, equals)));
        entry.value = std::string(TrimLeft(line.substr(equals + 1)));
        entry.has_value = true;
    }
    sections_.back().entries.push_back(std::move(entry));
}

std::size_t ProfileText::FindSection(std::string_view name) const {
    const std::string_view wanted = Trim(name);
    std::size_t index = 0;
    while (index < sections_.size() && !SameName(sections_[index].name, wanted)) ++index;
    return index;
}

const std::string* ProfileText::Find(std::string_view section, std::string_view key) const {
    const std::size_t index = FindSection(section);
    if (index == sections_.size())
        return nullptr;
    const std::string_view wanted = Trim(key);
    for (const Entry& entry : sections_[index].entries) {
        if (SameName(entry.name, wanted))
            return entry.has_value ? &entry.value : nullptr;
    }
    return nullptr;
}

bool ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
    value = TrimLeft(value);
    std::size_t index = FindSection(section);
    if (index == sections_.size()) {
        // New names keep their trailing blanks, as the profile API stores them.
        sections_.push_back(Section{std::string(TrimLeft(section)), {}});
    }
    Section* target = &sections_[index];
    const std::string_view wanted = Trim(key);
    for (Entry& entry : target->entries) {
        if (!SameName(entry.name, wanted))
            continue;
        if (entry.has_value && entry.value == value)
            return false;
        entry.value = std::string(value);
        entry.has_value = true;
        return true;
    }
    target->entries.push_back(Entry{std::string(TrimLeft(key)), std::string(value), true});
    return true;
}

std::string ProfileText::Render() const {
    std::string out;
    if (utf8_bom_)
        out += kUtf8Bom;
    for (const Section& section : sections_) {
        if (!section.name.empty())
            out += "[" + section.name + "]\r\n";
        for (const Entry& entry : section.entries) {
            out += entry.name;
            if (entry.has_value)
                out += "=" + entry.value;
            out += "\r\n";
        }
    }
    return out;
}

std::size_t CopyProfileValue(std::string_view value, char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0)
        return 0;
    bool quoted = false;
    if (value.size() >= 2 && (value.front() == '\'' || value.front() == '"') &&
        value.back() == value.front()) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::size_t length = std::min(value.size(), size - 1);
    std::memcpy(buffer, value.data(), length);
    // `value` still ends with the closing quote: drop the last copied
    // character whenever the whole quoted text would have fitted.
    if (quoted && size >= value.size() && length > 0)
        --length;
    buffer[length] = '\0';
    return length;
}

}  // namespace tarnik
