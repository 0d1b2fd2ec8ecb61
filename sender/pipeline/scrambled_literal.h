#pragma once
// Fixed texts that should not sit in the program image as plain text (the
// DM/PL command templates, the HPGL work file name): each byte is stored
// exclusive-or a one-byte key, scrambled at compile time, and rebuilt into a
// local buffer just before use, up to the terminating zero.
#include <cstddef>

namespace tarnik {

// The key is outside 7-bit ASCII, so no byte of a plain literal (and no
// terminating zero) can ever scramble to zero or equal its own plain value.
inline constexpr unsigned char kLiteralKey = 0xA7;

namespace detail {
// Reached only during constant evaluation, where calling it is an error: a
// literal holding the key byte could not be told apart from its terminator.
inline void LiteralHoldsKeyByte() {}
}  // namespace detail

// The rebuilt plain text; lives on the stack of the caller for one use.
template <std::size_t N>
class RevealedLiteral {
  public:
    const char* c_str() const { return text_; }
    operator const char*() const { return text_; }

  private:
    template <std::size_t>
    friend class ScrambledLiteral;
    char text_[N] = {};
};

template <std::size_t N>
class ScrambledLiteral {
  public:
    consteval explicit ScrambledLiteral(const char (&plain)[N]) {
        for (std::size_t i = 0; i < N; ++i) {
            const auto c = static_cast<unsigned char>(plain[i]);
            if (c == kLiteralKey) {
                detail::LiteralHoldsKeyByte();
            }
            stored_[i] = static_cast<unsigned char>(c ^ kLiteralKey);
        }
    }

    // Rebuilds the text up to its terminating zero; never reads or writes
    // past the N bytes of the literal, and the result is always terminated.
    RevealedLiteral<N> Reveal() const {
        RevealedLiteral<N> out;
        for (std::size_t i = 0; i < N; ++i) {
            out.text_[i] = static_cast<char>(stored_[i] ^ kLiteralKey);
            if (out.text_[i] == '\0') {
                break;
            }
        }
        out.text_[N - 1] = '\0';
        return out;
    }

    // The bytes as held in the program image.
    const unsigned char* StoredBytes() const { return stored_; }
    static constexpr std::size_t size() { return N; }

  private:
    unsigned char stored_[N] = {};
};

// constexpr auto kName = Scramble("text"); — scrambled at compile time.
template <std::size_t N>
consteval ScrambledLiteral<N> Scramble(const char (&plain)[N]) {
    return ScrambledLiteral<N>(plain);
}

}  // namespace tarnik
