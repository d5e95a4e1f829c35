#pragma once
// Numbers as the text boxes hold them: reading a typed number, rounding it to a
// tyre dimension and writing a result back. RoundToInt16 throws
// calc::RuntimeError (overflow 6).

#include <cstdint>
#include <string>
#include <string_view>

#include "calc/error.h"

namespace calc {

// Whether the text is a plain whole number: an optional sign and ASCII digits, with
// blanks (spaces, tabs) before and after but none inside. What a user may type for a
// tyre dimension; anything else would be read as a nearby number without a word.
bool IsWholeNumberText(std::wstring_view text);

// Longest decimal prefix of the text ("." only as the decimal point); 0 when none.
double TextToNumber(std::wstring_view text);

// Nearest integer, exact halves to even; outside the 16-bit range: overflow.
std::int16_t RoundToInt16(double value);

// Rounded to two decimal places (an exact half away from zero), written in full with
// no trailing zeros and the given decimal separator; "0" for anything that rounds to zero.
std::wstring NumberToText(double value, std::wstring_view decimalSeparator);

}  // namespace calc
