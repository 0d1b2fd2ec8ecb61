#include "sender/app/setting_conversions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace tarnik {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* SkipDigits(const char* p) {
    while (IsDigit(*p)) ++p;
    return p;
}

}  // namespace

int32_t TextToInt(const char* text) {
    if (text == nullptr)
        return 0;
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

double TextToDouble(const char* text) {
    if (text == nullptr)
        return 0.0;
    while (IsBlank(*text)) ++text;
    const char* p = text;
    if (*p == '+' || *p == '-')
        ++p;
    const char* digits = p;
    p = SkipDigits(p);
    bool any_digit = p != digits;
    if (*p == '.') {
        const char* fraction = p + 1;
        p = SkipDigits(fraction);
        any_digit = any_digit || p != fraction;
    }
    if (!any_digit)
        return 0.0;
    if (*p == 'e' || *p == 'E') {
        const char* exponent = p + 1;
        if (*exponent == '+' || *exponent == '-')
            ++exponent;
        if (IsDigit(*exponent))
            p = SkipDigits(exponent);
    }
    const std::string number(text, p);
    return std::strtod(number.c_str(), nullptr);
}

float DoubleToFloat(double value) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (value > kLargest)
        return std::numeric_limits<float>::infinity();
    if (value < -kLargest)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

uint8_t TruncateToLowByte(double value) {
    // Out of range, the processor's conversion yields 0x80000000: low byte 0.
    if (!(value > -2147483649.0 && value < 2147483648.0))
        return 0;
    return static_cast<uint8_t>(static_cast<int32_t>(value));
}

void CopyText(char* destination, std::size_t size, const char* source) {
    if (destination == nullptr || size == 0)
        return;
    if (source == nullptr)
        source = "";
    const std::size_t length = std::min(std::strlen(source), size - 1);
    std::memcpy(destination, source, length);
    destination[length] = '\0';
}

}  // namespace tarnik
