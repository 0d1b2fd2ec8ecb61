#include "sender/pipeline/plot_command_reader.h"

#include <new>

namespace tarnik {
namespace {

// One read call fills this much of the file.
constexpr std::size_t kInputBufferSize = 64 * 1024;

bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}

// White space that atol passes over before a number; blanks never get here
// (they are separators) and line ends are dropped earlier.
bool IsLeadingSpace(int c) {
    return c == '\t' || c == '\v' || c == '\f';
}

}  // namespace

PlotInput::PlotInput() = default;
PlotInput::~PlotInput() = default;

bool PlotInput::Open(const char* path) {
    Close();
    if (!buffer_) {
        buffer_.reset(new (std::nothrow) char[kInputBufferSize]);
        if (!buffer_)
            return false;
    }
    file_.reset(std::fopen(path, "rb"));
    if (!file_)
        return false;
    // The 64 KiB buffer above is the only one: no second copy in the stream.
    std::setvbuf(file_.get(), nullptr, _IONBF, 0);
    return true;
}

void PlotInput::Close() {
    file_.reset();
    pos_ = end_ = nullptr;
    failed_ = false;
}

int PlotInput::Refill() {
    if (!file_)
        return -1;
    const std::size_t got = std::fread(buffer_.get(), 1, kInputBufferSize, file_.get());
    if (got == 0) {
        if (std::ferror(file_.get()))
            failed_ = true;
        return -1;
    }
    pos_ = buffer_.get();
    end_ = pos_ + got;
    return static_cast<unsigned char>(*pos_++);
}

bool PlotCommandReader::Open(const char* path) {
    ended_ = true;
    stored_ = 0;
    over_limit_ = false;
    return input_.Open(path);
}

void PlotCommandReader::Close() {
    input_.Close();
    ended_ = true;
}

inline int PlotCommandReader::NextStored() {
    if (ended_)
        return -1;
    for (;;) {
        const int c = input_.Get();
        if (c == '\r' || c == '\n')
            continue;
        if (c < 0) {
            ended_ = true;
            return -1;
        }
        if (++stored_ > limit_) {
            over_limit_ = true;
            ended_ = true;
            return -1;
        }
        if (c == ';') {
            ended_ = true;
            return -1;
        }
        return c == ' ' ? ',' : c;
    }
}

bool PlotCommandReader::ReadPlotCommand(std::size_t limit) {
    // A command left half read is finished first, without a limit: its
    // characters belong to it, not to the next one.
    limit_ = kUnboundedCommand;
    while (NextStored() >= 0) {
    }
    stored_ = 0;
    limit_ = limit;
    ended_ = false;
    over_limit_ = false;
    separator_seen_ = false;
    const int first = NextStored();
    if (first < 0 && stored_ == 0) {
        ended_ = true;  // nothing but line ends left
        return false;
    }
    const int second = NextStored();
    first_ = first < 0 ? 0 : static_cast<char>(first);
    second_ = second < 0 ? 0 : static_cast<char>(second);
    return true;
}

char PlotCommandReader::TakeThird() {
    const int c = NextStored();
    return c < 0 ? 0 : static_cast<char>(c);
}

PlotCommandReader::Token PlotCommandReader::NextNumber(int32_t& value, bool& after_separator) {
    int c = NextStored();
    while (c == ',') {
        separator_seen_ = true;
        c = NextStored();
    }
    if (c < 0)
        return over_limit_ || Failed() ? Token::Error : Token::End;
    after_separator = separator_seen_;

    // atol on the text up to the next separator: 0 before the sign or first
    // digit, 1 in the digits, 2 after them (the rest is passed over).
    int phase = 0;
    bool negative = false;
    int64_t magnitude = 0;
    int length = 0;
    for (;;) {
        if (++length > kNumberTextLimit)
            return Token::Error;
        if (phase == 1) {
            if (IsDigit(c)) {
                magnitude = magnitude * 10 + (c - '0');
            } else {
                phase = 2;
            }
        } else if (phase == 0) {
            if (IsDigit(c)) {
                magnitude = c - '0';
                phase = 1;
            } else if (c == '-' || c == '+') {
                negative = c == '-';
                phase = 1;
            } else if (!IsLeadingSpace(c)) {
                phase = 2;
            }
        }
        c = NextStored();
        if (c == ',') {
            separator_seen_ = true;
            break;
        }
        if (c < 0) {
            if (over_limit_ || Failed())
                return Token::Error;
            break;
        }
    }
    // At most 11 characters: the magnitude cannot overflow 64 bits.
    const int64_t number = negative ? -magnitude : magnitude;
    if (number < INT32_MIN || number > INT32_MAX)
        return Token::Error;
    value = static_cast<int32_t>(number);
    return Token::Number;
}

bool PlotCommandReader::SkipRest() {
    while (NextStored() >= 0) {
    }
    return !over_limit_ && !Failed();
}

}  // namespace tarnik
