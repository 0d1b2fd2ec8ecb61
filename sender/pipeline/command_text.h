#pragma once
// The command text of a job, put down straight into a bounded buffer: a job
// of tens of megabytes is one number after another, so every command is
// rendered in place (decimal digits by std::to_chars) and the buffer goes to
// its target in large pieces.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tarnik {

// Room one command may take at most: four signed 32-bit numbers of up to 11
// characters and the template text around them (CommandTemplate bounds it).
inline constexpr std::size_t kLongestCommand = 128;

// Where command text goes. Derived classes give the buffer and take the
// full buffer's bytes (a work file, a string).
class CommandOutput {
  public:
    virtual ~CommandOutput() = default;
    CommandOutput(const CommandOutput&) = delete;
    CommandOutput& operator=(const CommandOutput&) = delete;

    void Append(const char* text, std::size_t length);
    void Append(std::string_view text) { Append(text.data(), text.size()); }
    void AppendNumber(int32_t value);

    // At least kLongestCommand bytes of room at the returned cursor; the
    // writer puts its command there and hands the new end to Commit.
    char* Room() {
        if (static_cast<std::size_t>(end_ - cursor_) < kLongestCommand) {
            Drain();
        }
        return cursor_;
    }
    void Commit(char* new_cursor) { cursor_ = new_cursor; }
    // The end of the buffer Room() points into: a writer that puts down many
    // commands in a row keeps its cursor in a local and calls Room() again
    // (after Commit) only when less than kLongestCommand bytes are left.
    char* Limit() const { return end_; }
    // Whether the target has refused text (a full disk): nothing more of
    // the job can be used, so a writer that puts down a long run of
    // commands from one path (the dashes of a long design) stops there.
    bool Refused() const { return refused_; }

  protected:
    CommandOutput() = default;
    // The buffer to collect text in. Until one is set, or when it is shorter
    // than kLongestCommand, a buffer of one command's room inside this
    // object is used, so Room() is always writable.
    void SetBuffer(char* begin, std::size_t capacity);
    // Hands the bytes collected so far to Take and empties the buffer.
    void Drain();
    // Receives text in order, in pieces of any size.
    virtual void Take(const char* data, std::size_t length) = 0;
    // Marks the target as refusing text from now on (see Refused).
    void Refuse() { refused_ = true; }

  private:
    char spare_[kLongestCommand] = {};
    char* begin_ = spare_;
    char* cursor_ = spare_;
    char* end_ = spare_ + kLongestCommand;
    bool refused_ = false;
};

// Command text collected in a string (tests, short texts).
class StringCommandOutput : public CommandOutput {
  public:
    StringCommandOutput() { SetBuffer(buffer_, sizeof buffer_); }
    // Everything appended so far.
    const std::string& Text() {
        Drain();
        return text_;
    }

  private:
    void Take(const char* data, std::size_t length) override { text_.append(data, length); }

    char buffer_[4 * kLongestCommand];
    std::string text_;
};

namespace detail {
// "00" "01" ... "99": two digits per division by 100.
inline constexpr char kDigitPairs[201] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Decimal digits of u; plotter coordinates mostly have four or five.
inline uint32_t DigitCount(uint32_t u) {
    if (u < 100000) {
        return u < 100 ? (u < 10 ? 1 : 2) : u < 10000 ? (u < 1000 ? 3 : 4) : 5;
    }
    return u < 10000000 ? (u < 1000000 ? 6 : 7) : u < 1000000000 ? (u < 100000000 ? 8 : 9) : 10;
}
}  // namespace detail

namespace detail {
// Up to six digits (every coordinate of a plotter bed) without a branch on
// the digit count: the three digit pairs of the number padded to six digits
// go into one little-endian word, the leading '0' bytes are counted off it
// (one at most kept, for 0), and the word is stored shifted down to the
// first digit. Eight bytes are stored at p, of which the first ones are the
// digits.
inline char* PutUpToSixDigits(char* p, uint32_t u) {
    const uint32_t high = u / 10000;
    const uint32_t low4 = u - high * 10000;
    const uint32_t middle = low4 / 100;
    const uint32_t low = low4 - middle * 100;
    uint16_t pairs[3];
    std::memcpy(&pairs[0], kDigitPairs + 2 * high, 2);
    std::memcpy(&pairs[1], kDigitPairs + 2 * middle, 2);
    std::memcpy(&pairs[2], kDigitPairs + 2 * low, 2);
    const uint64_t word = uint64_t{pairs[0]} | uint64_t{pairs[1]} << 16 | uint64_t{pairs[2]} << 32;
    // Non-zero bytes mark digits other than '0'; byte 5 is forced on so
    // that the last digit always stays.
    const uint64_t significant = (word ^ 0x303030303030ULL) | (uint64_t{1} << 40);
    const int leading = std::countr_zero(significant) / 8;
    const uint64_t digits = word >> (8 * leading);
    std::memcpy(p, &digits, sizeof digits);
    return p + (6 - leading);
}
}  // namespace detail

// Renders a signed decimal number at p (room for 11 characters: the longest
// is "-2147483648"; a number is never given less, and bytes of that room
// past the number may be overwritten) and returns its end. Inline and
// without the range checks of the general library call: it runs for every
// coordinate of a job.
inline char* PutNumber(char* p, int32_t value) {
    auto u = static_cast<uint32_t>(value);
    if (value < 0) [[unlikely]] {
        *p++ = '-';
        u = 0u - u;
    }
    if constexpr (std::endian::native == std::endian::little) {
        if (u < 1000000) [[likely]]
            return detail::PutUpToSixDigits(p, u);
    }
    char* const end = p + detail::DigitCount(u);
    char* q = end;
    while (u >= 100) {
        const uint32_t pair = u % 100;
        u /= 100;
        q -= 2;
        std::memcpy(q, detail::kDigitPairs + 2 * pair, 2);
    }
    if (u >= 10) {
        std::memcpy(q - 2, detail::kDigitPairs + 2 * u, 2);
    } else {
        q[-1] = static_cast<char>('0' + u);
    }
    return end;
}

// A command template such as "X%d,%d;" taken apart once per job into its
// literal pieces and number slots, so that each command is rendered without
// interpreting a format. "%d" is a slot, "%%" a percent sign, every other
// byte is literal. Bounded: at most kMaxSlots slots (a further "%d" stays
// literal text) and kMaxText literal bytes (the rest is dropped).
class CommandTemplate {
  public:
    static constexpr std::size_t kMaxSlots = 4;
    static constexpr std::size_t kMaxText = 64;

    CommandTemplate() = default;
    explicit CommandTemplate(const char* text);

    std::size_t Slots() const { return slots_; }

    // Appends the command with values[i] in slot i (0 for slots beyond count).
    void Render(CommandOutput& out, const int32_t* values, std::size_t count) const;
    void Render(CommandOutput& out, int32_t x, int32_t y) const {
        if (short_pair_) {
            // Every point command of a path: three short pieces and two
            // numbers, without the general loop.
            char* p = out.Room();
            std::memcpy(p, text_, kCopyWidth);
            p = PutNumber(p + piece_start_[1], x);
            std::memcpy(p, text_ + piece_start_[1], kCopyWidth);
            p = PutNumber(p + (piece_start_[2] - piece_start_[1]), y);
            std::memcpy(p, text_ + piece_start_[2], kCopyWidth);
            out.Commit(p + (piece_start_[3] - piece_start_[2]));
            return;
        }
        const int32_t values[2] = {x, y};
        Render(out, values, 2);
    }

    // Renders the template with (x, y) of every node of a linked list from
    // first on. A path's points are most of a job's bytes: the cursor and
    // the template's pieces stay in locals for the whole run instead of
    // being read back from memory after every byte put down.
    template <class Node>
    void RenderEach(CommandOutput& out, const Node* first) const;

    // The text the template renders with values (tests).
    std::string ToString(const int32_t* values, std::size_t count) const;

  private:
    // Literal piece i runs from piece_start_[i] to piece_start_[i + 1]; a
    // slot follows each piece but the last. Short pieces are copied as a
    // whole kCopyWidth bytes (the bytes past the piece are overwritten by
    // what follows), hence the spare bytes behind the text.
    static constexpr std::size_t kCopyWidth = 16;
    char text_[kMaxText + kCopyWidth] = {};
    uint8_t piece_start_[kMaxSlots + 2] = {};
    std::size_t slots_ = 0;
    // Two slots and every piece short enough for one whole-width copy.
    bool short_pair_ = false;
};

template <class Node>
void CommandTemplate::RenderEach(CommandOutput& out, const Node* first) const {
    if (!short_pair_) {
        for (const Node* node = first; node != nullptr; node = node->next) {
            Render(out, node->x, node->y);
        }
        return;
    }
    char head[kCopyWidth];
    char middle[kCopyWidth];
    char tail[kCopyWidth];
    std::memcpy(head, text_, kCopyWidth);
    std::memcpy(middle, text_ + piece_start_[1], kCopyWidth);
    std::memcpy(tail, text_ + piece_start_[2], kCopyWidth);
    const std::size_t head_length = piece_start_[1];
    const std::size_t middle_length = piece_start_[2] - piece_start_[1];
    const std::size_t tail_length = piece_start_[3] - piece_start_[2];
    char* p = out.Room();
    char* limit = out.Limit();
    for (const Node* node = first; node != nullptr;) {
        const int32_t x = node->x;
        const int32_t y = node->y;
        node = node->next;
        if (static_cast<std::size_t>(limit - p) < kLongestCommand) {
            out.Commit(p);
            p = out.Room();
            limit = out.Limit();
        }
        std::memcpy(p, head, kCopyWidth);
        p = PutNumber(p + head_length, x);
        std::memcpy(p, middle, kCopyWidth);
        p = PutNumber(p + middle_length, y);
        std::memcpy(p, tail, kCopyWidth);
        p += tail_length;
    }
    out.Commit(p);
}

}  // namespace tarnik
