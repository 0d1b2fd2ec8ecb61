// Scrambled literals: not stored as plain text, rebuilt exactly, bounded.
#include "sender/pipeline/scrambled_literal.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarnik {
namespace {

constexpr auto kTemplate = Scramble("U%d,%d ");
constexpr auto kEmpty = Scramble("");

TEST(ScrambledLiteral, StoredBytesDifferFromThePlainText) {
    const char plain[] = "U%d,%d ";
    static_assert(decltype(kTemplate)::size() == sizeof plain);
    for (std::size_t i = 0; i < sizeof plain; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NE(kTemplate.StoredBytes()[i], static_cast<unsigned char>(plain[i]));
        EXPECT_NE(kTemplate.StoredBytes()[i], 0u);  // the terminator is hidden too
    }
}

TEST(ScrambledLiteral, RevealGivesThePlainTextBack) {
    EXPECT_STREQ(kTemplate.Reveal().c_str(), "U%d,%d ");
    EXPECT_STREQ(kEmpty.Reveal().c_str(), "");
}

TEST(ScrambledLiteral, RevealStopsAtTheFirstZeroAndStaysTerminated) {
    // A literal with an embedded zero: only the text before it comes back,
    // and the buffer is N bytes long whatever the stored bytes hold.
    constexpr auto embedded = Scramble("AB\0CD");
    const auto revealed = embedded.Reveal();
    EXPECT_STREQ(revealed.c_str(), "AB");
    EXPECT_EQ(sizeof revealed, decltype(embedded)::size());
}

}  // namespace
}  // namespace tarnik
