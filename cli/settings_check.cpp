// The sections, keys and value forms of tarnik.ini, checked line by line.
#include "cli/settings_check.h"

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

namespace tarnik::cli {
namespace {

enum class ValueForm { Text, Whole, Decimal };

struct KnownKey {
    const char* section;
    const char* key;
    ValueForm form;
};

// Every key the settings store reads, with the conversion it applies
// (atoi: whole numbers; atof: decimal numbers). A test checks this list
// against a file the settings store writes.
constexpr KnownKey kKnownKeys[] = {
    {"Language", "Lan", ValueForm::Text},
    {"COM", "CurrentCom", ValueForm::Whole},
    {"COM", "BaudRate", ValueForm::Whole},
    {"AutoGET", "WaitSecond", ValueForm::Whole},
    {"AutoGET", "ColExportPath", ValueForm::Text},
    {"AutoGET", "ColExportFilename", ValueForm::Text},
    {"Model", "Mode", ValueForm::Whole},
    {"CutConfig", "PortType", ValueForm::Whole},
    {"CutConfig", "USBPort", ValueForm::Decimal},
    {"CutConfig", "DashedMode", ValueForm::Whole},
    {"CutConfig", "CutImageMode", ValueForm::Whole},
    {"CutConfig", "CloseEnble", ValueForm::Whole},
    {"CutConfig", "SharpEnble", ValueForm::Whole},
    {"CutConfig", "ReducePointEnble", ValueForm::Whole},
    {"CutConfig", "CloseOffset", ValueForm::Decimal},
    {"CutConfig", "SharpOffset", ValueForm::Decimal},
    {"CutConfig", "ReducePoint", ValueForm::Decimal},
    {"CutConfig", "SolidLineLen", ValueForm::Decimal},
    {"CutConfig", "JumpLineLen", ValueForm::Decimal},
    {"CutConfig", "MAXdeg", ValueForm::Decimal},
    {"FeedPaper", "CanFeedPaper", ValueForm::Whole},
    {"FeedPaper", "XSTEPS", ValueForm::Decimal},
    {"FeedPaper", "YSTEPS", ValueForm::Decimal},
    {"XYInaccuracy", "XDesignSize", ValueForm::Decimal},
    {"XYInaccuracy", "XTrueSize", ValueForm::Decimal},
    {"XYInaccuracy", "YDesignSize", ValueForm::Decimal},
    {"XYInaccuracy", "YTrueSize", ValueForm::Decimal},
    {"XYInaccuracy", "XSizeRedeem", ValueForm::Decimal},
    {"XYInaccuracy", "YSizeRedeem", ValueForm::Decimal},
    {"ImageCut", "FlagColor", ValueForm::Whole},
    {"CutPlan", "Order", ValueForm::Whole},
    {"CutPlan", "PanelLength", ValueForm::Decimal},
    {"CutPlan", "MediaWidth", ValueForm::Decimal},
    {"CutPlan", "Rotate", ValueForm::Whole},
    {"CutPlan", "Mirror", ValueForm::Whole},
    {"CutPlan", "Copies", ValueForm::Whole},
    {"CutPlan", "CopyGap", ValueForm::Decimal},
    {"CutPlan", "WeedBorder", ValueForm::Decimal},
    {"CutPlan", "WeedLines", ValueForm::Decimal},
    {"CutPlan", "WeedDirection", ValueForm::Whole},
    {"CutPlan", "WeedGap", ValueForm::Decimal},
    {"CutPlan", "TileOverlap", ValueForm::Decimal},
};

// Names match without regard to case, as the profile functions match them.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string_view Trim(std::string_view text) {
    const char* blanks = " \t\r\n\v\f\x1A";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool KnownSection(std::string_view section) {
    for (const KnownKey& known : kKnownKeys) {
        if (SameName(known.section, section)) {
            return true;
        }
    }
    return false;
}

const KnownKey* FindKey(std::string_view section, std::string_view key) {
    for (const KnownKey& known : kKnownKeys) {
        if (SameName(known.section, section) && SameName(known.key, key)) {
            return &known;
        }
    }
    return nullptr;
}

// Whether the whole value is a number of the key's form, as the user meant
// it: digits with an optional sign, and for decimals one point and an
// exponent. (atoi and atof read only the leading part of "0,30" or "1.5".)
bool ReadsWhole(std::string_view value, ValueForm form) {
    std::string text(Trim(value));
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front()) {
        text = text.substr(1, text.size() - 2);
    }
    if (text.empty()) {
        return false;
    }
    size_t at = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (form == ValueForm::Whole) {
        return at < text.size() && text.find_first_not_of("0123456789", at) == std::string::npos;
    }
    if (text.find_first_not_of("0123456789.eE+-", at) != std::string::npos) {
        return false;  // no hexadecimal, "inf" or "nan": the store reads them as 0
    }
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size();
}

class Checker {
  public:
    Checker(const std::string& path, std::ostream& err) : path_(path), err_(err) {}

    void Line(std::string_view raw, int number) {
        const std::string_view line = Trim(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            return;
        }
        if (line[0] == '[') {
            Section(line, number);
            return;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            std::string text(1, '"');
            text.append(line).append("\" is neither a [Section], a Key=value nor a ; comment");
            Warn(number, text);
            return;
        }
        Key(Trim(line.substr(0, equals)), line.substr(equals + 1), number);
    }

    // A file without one section or key of the settings file is something
    // else (a drawing, an empty file): one line says so instead of a line of
    // each.
    int Finish() {
        if (known_sections_ == 0 && known_keys_ == 0) {
            err_ << "tarnik-cli: " << path_
                 << " is not a settings file: it holds no section of tarnik.ini (see "
                    "tarnik.ini(5)); "
                    "every setting takes its built-in default\n";
            return 1;
        }
        for (const std::string& warning : warnings_) {
            err_ << warning;
        }
        return static_cast<int>(warnings_.size());
    }

  private:
    void Section(std::string_view line, int number) {
        const size_t close = line.rfind(']');
        section_ = std::string(Trim(
            line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
        in_section_ = true;
        section_known_ = KnownSection(section_);
        known_sections_ += section_known_ ? 1 : 0;
        if (!section_known_) {
            Warn(number, "unknown section [" + section_ + "]: its keys are not read");
        }
    }

    void Key(std::string_view key, std::string_view value, int number) {
        if (!in_section_) {
            Warn(number, std::string(key) + " stands before any [Section]: it is not read");
            return;
        }
        if (!section_known_) {
            return;
        }
        const KnownKey* known = FindKey(section_, key);
        if (known == nullptr) {
            Warn(number,
                 "unknown key " + std::string(key) + " in [" + section_ + "]: it is not read");
            return;
        }
        ++known_keys_;
        if (known->form != ValueForm::Text && !ReadsWhole(value, known->form)) {
            Warn(number, std::string(known->key) + "=" + std::string(Trim(value)) +
                             " does not read whole as " +
                             (known->form == ValueForm::Whole ? "a whole number"
                                                              : "a number (decimal point: '.')") +
                             ": only its leading digits count, if any");
        }
    }

    void Warn(int number, const std::string& text) {
        warnings_.push_back("tarnik-cli: " + path_ + ":" + std::to_string(number) +
                            ": warning: " + text + "\n");
    }

    const std::string& path_;
    std::ostream& err_;
    std::string section_;
    bool in_section_ = false;
    bool section_known_ = false;
    int known_sections_ = 0;
    int known_keys_ = 0;
    std::vector<std::string> warnings_;
};

}  // namespace

int CheckSettingsText(std::string_view text, const std::string& path, std::ostream& err) {
    Checker checker(path, err);
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);  // a UTF-8 byte order mark, as the store skips it
    }
    int number = 1;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        checker.Line(text.substr(start, end - start), number);
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') {
            ++end;
        }
        ++number;
        start = end + 1;
    }
    return checker.Finish();
}

}  // namespace tarnik::cli
