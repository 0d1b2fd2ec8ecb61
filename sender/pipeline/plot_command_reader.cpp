#include "sender/pipeline/plot_command_reader.h"

#include <array>
#include <bit>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tarnik {
namespace {

// One read call fills this much of the file.
constexpr std::size_t kInputBufferSize = 64 * 1024;

enum class CharClass : uint8_t { Other, Digit, Separator, LineEnd, End, Sign, Space };

// Separators are the comma and the blank (stored as a comma); line ends are
// dropped; white space other than the blank is what atol passes over.
constexpr std::array<CharClass, 256> MakeCharClasses() {
    std::array<CharClass, 256> table{};
    for (int c = '0'; c <= '9'; ++c) table[c] = CharClass::Digit;
    table[','] = table[' '] = CharClass::Separator;
    table['\r'] = table['\n'] = CharClass::LineEnd;
    table[';'] = CharClass::End;
    table['+'] = table['-'] = CharClass::Sign;
    table['\t'] = table['\v'] = table['\f'] = CharClass::Space;
    return table;
}
constexpr std::array<CharClass, 256> kCharClasses = MakeCharClasses();

// The bytes of eight bytes loaded little-endian that are not digits, as the
// high nibble of each such byte: a byte is a digit when its high nibble is 3
// and its low nibble at most 9 (adding 6 to the low nibble must not reach 16).
inline uint64_t NonDigitBytes(uint64_t bytes) {
    const uint64_t x = bytes ^ 0x3030303030303030ULL;
    return (x | ((x & 0x0F0F0F0F0F0F0F0FULL) + 0x0606060606060606ULL)) & 0xF0F0F0F0F0F0F0F0ULL;
}

#if defined(__SSE2__)
// The non-digits among the 16 bytes at p, bit i for p[i]: two compares of
// all 16 bytes at once.
inline unsigned NonDigitMask16(const char* p) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8('0' - 1)),
                                        _mm_cmplt_epi8(bytes, _mm_set1_epi8('9' + 1)));
    return ~static_cast<unsigned>(_mm_movemask_epi8(digit)) & 0xFFFFu;
}
#else
// One bit per byte of eight bytes loaded little-endian (bit i for byte i)
// from the high bit of each byte's non-digit mark.
inline unsigned PackByteMarks(uint64_t marks) {
    return static_cast<unsigned>((((marks >> 7) & 0x0101010101010101ULL) * 0x0102040810204080ULL) >>
                                 56);
}

// The non-digits among the 16 bytes at p, bit i for p[i].
inline unsigned NonDigitMask16(const char* p) {
    uint64_t low = 0;
    uint64_t high = 0;
    std::memcpy(&low, p, sizeof low);
    std::memcpy(&high, p + 8, sizeof high);
    return PackByteMarks(NonDigitBytes(low)) | PackByteMarks(NonDigitBytes(high)) << 8;
}
#endif

// Length (0 to 8) of the run of digits at the start of eight bytes loaded
// little-endian.
inline int DigitRunLength(uint64_t bytes) {
    const uint64_t not_digit = NonDigitBytes(bytes);
    return not_digit == 0 ? 8 : std::countr_zero(not_digit) / 8;
}

// The value of `length` (1 to 7) digits at the start of eight bytes loaded
// little-endian: shifted up so that zeros lead, then combined in pairs,
// fours and eights.
inline uint32_t DigitRunValue(uint64_t bytes, int length) {
    uint64_t value = (bytes & 0x0F0F0F0F0F0F0F0FULL) << (8 * (8 - length));
    value = (value * 2561) >> 8;
    value = ((value & 0x00FF00FF00FF00FFULL) * 6553601) >> 16;
    return static_cast<uint32_t>(((value & 0x0000FFFF0000FFFFULL) * 42949672960001ULL) >> 32);
}

// A plain number: an optional "-" and 1 to 10 digits whose value fits a
// signed 32-bit integer, read without bounds checks (the caller made sure 24
// bytes are buffered). Up to seven digits always fit; only longer numbers
// take the range check.
inline bool ParsePlainNumber(const char*& p, int32_t& value) {
    const char* const digits = p + (*p == '-');
    int64_t magnitude = 0;
    const char* q = digits;
    if constexpr (std::endian::native == std::endian::little) {
        uint64_t bytes = 0;
        std::memcpy(&bytes, digits, sizeof bytes);
        const int length = DigitRunLength(bytes);
        if (length == 0)
            return false;
        if (length < 8) {
            const auto magnitude7 = static_cast<int32_t>(DigitRunValue(bytes, length));
            value = digits == p ? magnitude7 : -magnitude7;
            p = digits + length;
            return true;
        }
    }
    // Eight digits or more, or a big-endian machine: one digit at a time.
    const char* const longest = digits + 10;
    unsigned digit = 0;
    while ((digit = static_cast<unsigned>(*q - '0')) < 10u && q != longest) {
        magnitude = magnitude * 10 + digit;
        ++q;
    }
    if (q == digits || digit < 10u)
        return false;
    const int64_t number = digits == p ? magnitude : -magnitude;
    if (number < INT32_MIN || number > INT32_MAX)
        return false;
    value = static_cast<int32_t>(number);
    p = q;
    return true;
}

// A character stored as it is that does not end the command.
bool IsPlainHead(char c) {
    return kCharClasses[static_cast<unsigned char>(c)] != CharClass::LineEnd && c != ' ' &&
           c != ';';
}

// Passes over line ends; the drawing program's "\r\n" is taken in one
// step (one two-byte compare).
inline const char* SkipLineEnds(const char* p, const char* end) {
    if (end - p >= 2 && std::memcmp(p, "\r\n", 2) == 0)
        p += 2;
    while (p != end && kCharClasses[static_cast<unsigned char>(*p)] == CharClass::LineEnd) ++p;
    return p;
}

// The drawing program's run point: "PD", two unsigned numbers of 1 to 7
// digits separated by a comma, ";", within 16 bytes. Where the digit runs
// end is read from one mask of the 16 bytes' non-digits instead of byte by
// byte: every point of a file comes through here, twice per job. nullptr
// for anything else (ParsePlainRunPoint then reads it with the full rules).
// Needs 18 bytes buffered.
inline const char* ParseDrawingProgramPoint(const char* p, int32_t& x, int32_t& y) {
    uint16_t head = 0;
    std::memcpy(&head, p, sizeof head);
    if (head != ('P' | 'D' << 8))
        return nullptr;
    // Bits 0 and 1 are the head; the next two non-digits must be the comma
    // and the ";".
    const unsigned not_digit = NonDigitMask16(p);
    const unsigned after_head = not_digit & ~3u;
    if (after_head == 0)
        return nullptr;
    const int comma = std::countr_zero(after_head);
    const unsigned after_comma = not_digit & (~0u << (comma + 1));
    if (after_comma == 0)
        return nullptr;
    const int end = std::countr_zero(after_comma);
    const int first_length = comma - 2;
    const int second_length = end - comma - 1;
    if (first_length < 1 || first_length > 7 || second_length < 1 || second_length > 7 ||
        p[comma] != ',' || p[end] != ';') {
        return nullptr;
    }
    uint64_t first = 0;
    uint64_t second = 0;
    std::memcpy(&first, p + 2, sizeof first);
    std::memcpy(&second, p + comma + 1, sizeof second);
    x = static_cast<int32_t>(DigitRunValue(first, first_length));
    y = static_cast<int32_t>(DigitRunValue(second, second_length));
    return p + end + 1;
}

// One whole "?D" + plain pair + ";" command at p with at least 26 bytes
// buffered (two head characters and the longest plain pair); its end, or
// nullptr for anything else.
inline const char* ParsePlainRunPoint(const char* p, int32_t& x, int32_t& y) {
    if (p[1] != 'D' || (p[0] != 'P' && !IsPlainHead(p[0])))
        return nullptr;
    const char* q = p + 2;
    int32_t first = 0;
    int32_t second = 0;
    if (!ParsePlainNumber(q, first) || *q++ != ',' || !ParsePlainNumber(q, second) || *q++ != ';')
        return nullptr;
    x = first;
    y = second;
    return q;
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

bool PlotInput::Fill() {
    if (!file_)
        return false;
    const std::size_t got = std::fread(buffer_.get(), 1, kInputBufferSize, file_.get());
    if (got == 0) {
        if (std::ferror(file_.get()))
            failed_ = true;
        return false;
    }
    pos_ = buffer_.get();
    end_ = pos_ + got;
    return true;
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
        if (c < 0 || ++stored_ > limit_ || c == ';') {
            over_limit_ = stored_ > limit_;
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
    // Fast path: line ends passed over (they are dropped anyway), then two
    // ordinary characters in the buffer.
    const char* p = input_.Position();
    const char* const buffered_end = input_.Limit();
    while (p != buffered_end && (*p == '\r' || *p == '\n')) ++p;
    input_.Seek(p);
    if (buffered_end - p >= 2 && IsPlainHead(p[0]) && IsPlainHead(p[1])) {
        input_.Seek(p + 2);
        stored_ = 2;
        first_ = p[0];
        second_ = p[1];
        return true;
    }
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

// The hot loop of the reader: one pass over the buffer per number, with the
// cursor in a local and one table look-up per byte. The command's length is
// checked against its limit when the number ends; the outcome is the same as
// checking every character, as nothing is acted on before.
PlotCommandReader::Token PlotCommandReader::NextNumber(int32_t& value, bool& after_separator) {
    if (ended_)
        return over_limit_ || Failed() ? Token::Error : Token::End;
    const char* p = input_.Position();
    const char* end = input_.Limit();
    std::size_t stored = stored_;
    bool started = false;
    bool too_long = false;
    // atol on the text up to the next separator: 0 before the sign or first
    // digit, 1 in the digits, 2 after them (the rest is passed over).
    int phase = 0;
    bool negative = false;
    int64_t magnitude = 0;
    int length = 0;
    for (;;) {
        if (p == end) {
            input_.Seek(p);
            if (!input_.Fill()) {
                ended_ = true;
                break;
            }
            p = input_.Position();
            end = input_.Limit();
        }
        const unsigned char c = static_cast<unsigned char>(*p++);
        const CharClass kind = kCharClasses[c];
        if (kind == CharClass::LineEnd)
            continue;
        ++stored;
        if (kind == CharClass::Separator) {
            if (started)
                break;
            separator_seen_ = true;
            continue;
        }
        if (kind == CharClass::End) {
            ended_ = true;
            break;
        }
        if (!started)
            after_separator = separator_seen_;
        started = true;
        if (++length > kNumberTextLimit) {
            too_long = true;
            break;
        }
        if (kind == CharClass::Digit) {
            if (phase < 2) {
                magnitude = magnitude * 10 + (c - '0');
                phase = 1;
            }
        } else if (phase == 0 && kind == CharClass::Sign) {
            negative = c == '-';
            phase = 1;
        } else if (phase != 0 || kind != CharClass::Space) {
            phase = 2;
        }
    }
    input_.Seek(p);
    stored_ = stored;
    if (stored > limit_)
        over_limit_ = true;
    if (too_long || over_limit_ || Failed()) {
        ended_ = true;
        return Token::Error;
    }
    if (!started)
        return Token::End;
    if (!ended_)
        separator_seen_ = true;  // the number ended at a separator
    // At most 11 characters: the magnitude cannot overflow 64 bits.
    const int64_t number = negative ? -magnitude : magnitude;
    if (number < INT32_MIN || number > INT32_MAX)
        return Token::Error;
    value = static_cast<int32_t>(number);
    return Token::Number;
}

bool PlotCommandReader::NextPlainPair(int32_t& x, int32_t& y) {
    // Sign, ten digits, separator, twice.
    constexpr std::ptrdiff_t kLongestPlainPair = 24;
    const char* const start = input_.Position();
    if (ended_ || input_.Limit() - start < kLongestPlainPair)
        return false;
    const char* p = start;
    int32_t first = 0;
    int32_t second = 0;
    if (!ParsePlainNumber(p, first) || *p++ != ',' || !ParsePlainNumber(p, second))
        return false;
    const char after = *p++;
    if (after != ';' && after != ',')
        return false;
    const std::size_t stored = stored_ + static_cast<std::size_t>(p - start);
    if (stored > limit_)
        return false;
    input_.Seek(p);
    stored_ = stored;
    if (after == ';') {
        ended_ = true;
    } else {
        separator_seen_ = true;
    }
    x = first;
    y = second;
    return true;
}

bool PlotCommandReader::NextPlainRunPoint(int32_t& x, int32_t& y) {
    int32_t xy[2] = {0, 0};
    if (NextPlainRunPoints(xy, 1) != 1)
        return false;
    x = xy[0];
    y = xy[1];
    return true;
}

namespace {

// Two head characters before the longest plain pair.
constexpr std::ptrdiff_t kLongestRunPoint = 26;

// The drawing program's run points one after another from p, each with the
// CR LF behind it, up to max of them into xy; returns how many. A loop of
// its own: it takes nearly every point of a file, and its constants stay in
// registers here. p is left behind the last point read (and its CR LF),
// command at that point's start.
std::size_t ReadDrawingProgramPoints(const char*& p, const char* buffered_end, const char*& command,
                                     int32_t* xy, std::size_t max) {
    std::size_t count = 0;
    if constexpr (std::endian::native == std::endian::little) {
        while (count < max && buffered_end - p >= kLongestRunPoint) {
            const char* const after = ParseDrawingProgramPoint(p, xy[2 * count], xy[2 * count + 1]);
            if (after == nullptr)
                break;
            command = p;
            // A point takes at most 16 of the 26 bytes: the CR LF is buffered.
            p = std::memcmp(after, "\r\n", 2) == 0 ? after + 2 : after;
            ++count;
        }
    }
    return count;
}

}  // namespace

std::size_t PlotCommandReader::NextPlainRunPoints(int32_t* xy, std::size_t max) {
    if (!Finished())
        return 0;
    const char* p = input_.Position();
    const char* const buffered_end = input_.Limit();
    const char* command = p;
    std::size_t count = 0;
    while (count < max) {
        // Line ends are dropped whatever follows them.
        p = SkipLineEnds(p, buffered_end);
        count += ReadDrawingProgramPoints(p, buffered_end, command, xy + 2 * count, max - count);
        if (count == max)
            break;
        // Any other plain point.
        p = SkipLineEnds(p, buffered_end);
        if (buffered_end - p < kLongestRunPoint)
            break;
        const char* const after = ParsePlainRunPoint(p, xy[2 * count], xy[2 * count + 1]);
        if (after == nullptr)
            break;
        command = p;
        p = after;
        ++count;
    }
    input_.Seek(p);
    if (count != 0) {
        // The last command read is the current one.
        stored_ = static_cast<std::size_t>(p - command);
        first_ = command[0];
        second_ = 'D';
        separator_seen_ = true;
    }
    return count;
}

bool PlotCommandReader::SkipRest() {
    while (NextStored() >= 0) {
    }
    return !over_limit_ && !Failed();
}

}  // namespace tarnik
