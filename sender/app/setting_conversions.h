#pragma once
// Text-to-number conversions of the settings file, with the C library's
// atoi/atof results for every text the file can hold, but no undefined
// behaviour on overflow and the same result on every platform.
#include <cstddef>
#include <cstdint>

namespace tarnik {

// atoi: leading blanks, an optional sign, digits up to the first other
// character; no digits gives 0, values beyond the 32-bit range stop at its ends.
int32_t TextToInt(const char* text);

// atof of the longest decimal number at the start of the text (leading
// blanks, sign, digits, point, exponent); no number gives 0. Hexadecimal and
// "inf"/"nan" spellings read as 0, so both platforms agree.
double TextToDouble(const char* text);

// A float field: values beyond the float range become infinities.
float DoubleToFloat(double value);

// The low 8 bits of the value truncated toward zero, as a 32-bit conversion
// does it; values outside the 32-bit range give 0.
uint8_t TruncateToLowByte(double value);

// Copies at most size - 1 characters and always terminates.
void CopyText(char* destination, std::size_t size, const char* source);

}  // namespace tarnik
