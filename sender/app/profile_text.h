#pragma once
// The text of a profile (ini) file held in memory, parsed, searched and
// rewritten by the rules of the Windows profile API as measured against the
// reference implementation:
// - lines end at CR or LF; blanks (space, tab, CR, LF, VT, FF and the DOS
//   end-of-file mark 0x1A) around a line are dropped, blank lines vanish;
// - "[name]" opens a section (name up to the last ']', trimmed, anything after
//   it dropped); a line without '=' is kept as an entry with no value;
// - names match without regard to ASCII case; the first section of a name and
//   the first key of a name in it win;
// - a change rewrites every line with CR LF; an unchanged value leaves the
//   file untouched; a UTF-8 byte order mark is kept.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnik {

class ProfileText {
  public:
    static ProfileText Parse(std::string_view bytes);

    // The value of the first `key` in the first `section`; nullptr when the
    // section or key is missing or the entry has no '='.
    const std::string* Find(std::string_view section, std::string_view key) const;

    // Stores `value` (its leading blanks dropped) under `key`, appending the
    // key at the end of its section or a new section at the end of the file.
    // Returns whether the text changed, i.e. whether the file must be saved.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Render() const;

  private:
    struct Entry {
        std::string name;
        std::string value;
        bool has_value = false;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    // Index of the first section named `name`, or sections_.size().
    std::size_t FindSection(std::string_view name) const;
    void ParseLine(std::string_view line);

    bool utf8_bom_ = false;
    // sections_[0] holds the lines before the first section header; its empty
    // name writes no header.
    std::vector<Section> sections_;
};

// Copies a stored value into a caller's buffer the way the profile API hands
// it out: one pair of matching quotes (' or ") around the value is removed,
// the text is cut to size - 1 characters. Quirk kept from the reference: when
// the quoted text does not fit by exactly one character, the last copied
// character goes instead of the closing quote. Returns the copied length.
std::size_t CopyProfileValue(std::string_view value, char* buffer, std::size_t size);

}  // namespace tarnik
