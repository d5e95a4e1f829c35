// Any double -> NumberToText, checked against printf's rounding to 15 significant
// digits, read back with TextToNumber, and for the comma separator.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double)) return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    fuzz::CheckRounding(value);
    if (!std::isfinite(value)) return 0;

    const std::wstring text = calc::NumberToText(value, L".");
    std::wstring withComma = text;
    std::replace(withComma.begin(), withComma.end(), L'.', L',');
    if (calc::NumberToText(value, L",") != withComma) {
        fuzz::Fail("%a: the \",\" text is not \"%ls\" with a comma", value, text.c_str());
    }

    // Shape, whatever the reference below says: a point is followed by a last digit
    // that is not zero, and a text without a non-zero digit is "0", never "-0".
    const std::wstring mantissa = text.substr(0, text.find(L'E'));
    const std::size_t point = mantissa.find(L'.');
    if (point != std::wstring::npos && (point + 1 == mantissa.size() || mantissa.back() == L'0')) {
        fuzz::Fail("%a written with trailing zeros or a bare point: \"%ls\"", value, text.c_str());
    }
    if (text.find_first_of(L"123456789") == std::wstring::npos && text != L"0") {
        fuzz::Fail("%a written as a zero other than \"0\": \"%ls\"", value, text.c_str());
    }

    // "%.14e" rounds to 15 significant digits; + 0.0 because negative zero is written "0".
    char scientific[32];
    std::snprintf(scientific, sizeof scientific, "%.14e", value);
    const double rounded = fuzz::ParseC(scientific) + 0.0;
    if (!fuzz::SameDouble(calc::TextToNumber(text), rounded)) {
        fuzz::Fail("%a (%s) written as \"%ls\", read back other than %a", value, scientific, text.c_str(), rounded);
    }

    // The expected text from those digits, trailing zeros dropped: fixed-point for
    // decimal exponents -4 to 14, otherwise d.dddE+XX. Rounding `value` at the last
    // digit kept gives the same digits, as the ones dropped were zeros.
    const char* end = std::strchr(scientific, 'e');
    const int exponent = std::atoi(end + 1);
    int digits = 15;
    while (digits > 1 && end[-1] == '0') {
        --end;
        --digits;
    }
    char expected[400];
    if (exponent >= -4 && exponent <= 14) {
        std::snprintf(expected, sizeof expected, "%.*f", std::max(0, digits - 1 - exponent), value + 0.0);
    } else {
        std::snprintf(expected, sizeof expected, "%.*E", digits - 1, value);
    }
    if (text != std::wstring(expected, expected + std::strlen(expected))) {
        fuzz::Fail("%a (%s) written as \"%ls\", expected \"%s\"", value, scientific, text.c_str(), expected);
    }
    return 0;
}
