// Decoding plotter jobs into cut paths.
#include "cli/job_decoder.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace tarnik::cli {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

// Reads an optionally signed decimal integer at pos; false (pos unchanged)
// when there is none or it does not fit 32 bits.
bool ReadInteger(std::string_view text, size_t& pos, int32_t& value) {
    size_t at = pos;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at >= text.size() || !IsDigit(text[at])) {
        return false;
    }
    int64_t magnitude = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > 2147483648LL) {
            return false;
        }
    }
    const int64_t signed_value = negative ? -magnitude : magnitude;
    if (signed_value > INT32_MAX || signed_value < INT32_MIN) {
        return false;
    }
    value = static_cast<int32_t>(signed_value);
    pos = at;
    return true;
}

// The pen's road through the job: pen-up moves open paths, cuts extend them.
class PathBuilder {
  public:
    explicit PathBuilder(DecodedJob& job) : job_(job) {}

    void PenUp() { open_ = false; }
    void MoveTo(JobPoint point) {
        job_.paths.push_back(JobPath{{point}});
        open_ = true;
        points_ = 1;
        pen_ = point;
    }
    void CutTo(JobPoint point) {
        if (!open_) {
            MoveTo(pen_);
        }
        job_.paths.back().points.push_back(point);
        if (++points_ == 2) {
            ++job_.cut_paths;
        }
        pen_ = point;
    }

  private:
    DecodedJob& job_;
    JobPoint pen_;
    bool open_ = false;
    size_t points_ = 0;
};

// Numbers of an HPGL argument list ("x,y,x,y" with commas or blanks).
bool ReadHpglNumbers(std::string_view args, std::vector<int32_t>& numbers) {
    numbers.clear();
    size_t pos = 0;
    while (pos < args.size()) {
        if (args[pos] == ',' || IsBlank(args[pos])) {
            ++pos;
            continue;
        }
        int32_t value = 0;
        if (!ReadInteger(args, pos, value)) {
            return false;
        }
        numbers.push_back(value);
    }
    return numbers.size() % 2 == 0;
}

void DecodeHpglCommand(std::string_view command, PathBuilder& builder, DecodedJob& job,
                       std::vector<int32_t>& numbers) {
    const std::string_view name = command.substr(0, 2);
    if (name == "PU" || name == "PD") {
        if (!ReadHpglNumbers(command.substr(2), numbers)) {
            ++job.malformed_commands;
            return;
        }
        if (name == "PU" && numbers.empty()) {
            builder.PenUp();
        }
        for (size_t i = 0; i + 1 < numbers.size(); i += 2) {
            const JobPoint point{numbers[i], numbers[i + 1]};
            if (name == "PU") {
                builder.MoveTo(point);
            } else {
                builder.CutTo(point);
            }
        }
    } else if (command == "!PG") {
        job.complete = true;
    } else if (name != "IN" && name != "SP" && name != "PA" && name != "IW") {
        ++job.unknown_commands;
    }
}

void DecodeHpgl(std::string_view bytes, DecodedJob& job) {
    PathBuilder builder(job);
    std::vector<int32_t> numbers;
    size_t pos = 0;
    while (pos < bytes.size()) {
        while (pos < bytes.size() && IsBlank(bytes[pos])) {
            ++pos;
        }
        size_t end = bytes.find(';', pos);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        const std::string_view command = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (command.empty()) {
            continue;
        }
        if (command.size() < 2) {
            ++job.malformed_commands;
            continue;
        }
        DecodeHpglCommand(command, builder, job, numbers);
    }
}

// Numbers directly behind a DM/PL command's letters: "x,y,x,y", no blanks
// (a blank ends the command).
bool ReadDmplNumbers(std::string_view bytes, size_t& pos, std::vector<int32_t>& numbers) {
    numbers.clear();
    int32_t value = 0;
    if (pos >= bytes.size() || !(IsDigit(bytes[pos]) || bytes[pos] == '-' || bytes[pos] == '+')) {
        return true;
    }
    if (!ReadInteger(bytes, pos, value)) {
        return false;
    }
    numbers.push_back(value);
    while (pos + 1 < bytes.size() && bytes[pos] == ',') {
        ++pos;
        if (!ReadInteger(bytes, pos, value)) {
            return false;
        }
        numbers.push_back(value);
    }
    return true;
}

// Passes over the rest of a word the decoder could not read.
void SkipWord(std::string_view bytes, size_t& pos) {
    while (pos < bytes.size() && !IsBlank(bytes[pos]) && bytes[pos] != ';' &&
           !IsUpper(bytes[pos])) {
        ++pos;
    }
}

// Commands that set the plotter up and draw nothing: the job header's "H",
// "A", "L" and "EC", the paper feed "GE", and the registration-mark header
// "MK" (the design's size and the two mark parameters).
bool IsKnownDmplSetting(std::string_view name) {
    return name == "H" || name == "A" || name == "L" || name == "EC" || name == "GE" ||
           name == "MK";
}

void ApplyDmplCommand(std::string_view name, const std::vector<int32_t>& numbers,
                      PathBuilder& builder, DecodedJob& job) {
    if (name == "U" || name == "D") {
        if (numbers.size() % 2 != 0) {
            ++job.malformed_commands;
        }
        if (name == "U" && numbers.empty()) {
            builder.PenUp();
        }
        for (size_t i = 0; i + 1 < numbers.size(); i += 2) {
            const JobPoint point{numbers[i], numbers[i + 1]};
            if (name == "U") {
                builder.MoveTo(point);
            } else {
                builder.CutTo(point);
            }
        }
    } else if (!IsKnownDmplSetting(name)) {
        ++job.unknown_commands;
    }
}

void DecodeDmpl(std::string_view bytes, DecodedJob& job) {
    PathBuilder builder(job);
    std::vector<int32_t> numbers;
    size_t pos = 0;
    while (pos < bytes.size()) {
        const char c = bytes[pos];
        if (IsBlank(c) || c == ';' || c == ':') {
            ++pos;
            continue;
        }
        if (c == '@') {
            job.complete = true;
            return;
        }
        if (!IsUpper(c)) {
            ++job.malformed_commands;
            ++pos;
            SkipWord(bytes, pos);
            continue;
        }
        const size_t start = pos;
        while (pos < bytes.size() && IsUpper(bytes[pos])) {
            ++pos;
        }
        const std::string_view name = bytes.substr(start, pos - start);
        if (!ReadDmplNumbers(bytes, pos, numbers)) {
            ++job.malformed_commands;
            SkipWord(bytes, pos);
            continue;
        }
        ApplyDmplCommand(name, numbers, builder, job);
    }
}

}  // namespace

double JobUnitsPerMm(JobLanguage language) {
    switch (language) {
        case JobLanguage::Hpgl:
            // The HPGL encoder scales 800 units per inch by 0.031750063500127004.
            return 1.0;
        case JobLanguage::Dmpl:
            return 31.496;
        case JobLanguage::Unknown:
            break;
    }
    return 0.0;
}

JobLanguage DetectJobLanguage(std::string_view bytes) {
    size_t pos = 0;
    while (pos < bytes.size() && IsBlank(bytes[pos])) {
        ++pos;
    }
    const std::string_view start = bytes.substr(pos);
    if (start.starts_with(";:")) {
        return JobLanguage::Dmpl;
    }
    if (start.starts_with("PU") || start.starts_with("PD") || start.starts_with("IN")) {
        return JobLanguage::Hpgl;
    }
    return JobLanguage::Unknown;
}

bool DecodeJob(std::string_view bytes, DecodedJob& job) {
    job = DecodedJob{};
    job.language = DetectJobLanguage(bytes);
    switch (job.language) {
        case JobLanguage::Hpgl:
            DecodeHpgl(bytes, job);
            return true;
        case JobLanguage::Dmpl:
            DecodeDmpl(bytes, job);
            return true;
        case JobLanguage::Unknown:
            break;
    }
    return false;
}

size_t CountCutPaths(std::string_view bytes) {
    CutPathCounter counter;
    counter.Feed(bytes);
    return counter.Count();
}

void CutPathCounter::Feed(std::string_view piece) {
    if (state_ == State::Start) {
        // Blanks before the job's start are passed over; two bytes after
        // them decide the language.
        size_t taken = 0;
        while (taken < piece.size() && start_.size() < 2) {
            const char c = piece[taken++];
            if (!start_.empty() || !IsBlank(c)) {
                start_.push_back(c);
            }
        }
        if (start_.size() < 2) {
            return;
        }
        state_ = DetectJobLanguage(start_) == JobLanguage::Unknown ? State::Done : State::Counting;
        const std::string first = start_;
        start_.clear();
        if (state_ == State::Counting) {
            Feed(first);
            Feed(piece.substr(taken));
        }
        return;
    }
    if (state_ != State::Counting) {
        return;
    }
    // Both languages lift the knife with a command ending in "U" ("U", "PU")
    // and lower it with one ending in "D" ("D", "PD"); no other command of
    // theirs holds either letter. So a cut path starts at every "D" after a
    // "U" (or at the start), and one pass over the bytes counts them, which
    // matters for jobs of tens of megabytes: with the knife up only the next
    // "D" matters, with it down only the next "U", so the pass hops from
    // one to the other. Nothing after the closing "@" counts.
    const char* at = piece.data();
    const char* end = at + piece.size();
    if (const void* close = std::memchr(at, '@', piece.size())) {
        end = static_cast<const char*>(close);
        state_ = State::Done;
    }
    while (at < end) {
        const char wanted = knife_up_ ? 'D' : 'U';
        const void* found = std::memchr(at, wanted, static_cast<size_t>(end - at));
        if (found == nullptr) {
            break;
        }
        count_ += knife_up_ ? 1 : 0;
        knife_up_ = !knife_up_;
        at = static_cast<const char*>(found) + 1;
    }
}

}  // namespace tarnik::cli
