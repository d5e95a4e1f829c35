// Any text -> TextToNumber -> RoundToInt16, against a slow reference reading of
// the same text. Superlinear reading shows up as a libFuzzer timeout.

#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/tyre.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// Bytes below 0xF0 stand for themselves, so ASCII texts stay dense and easy to
// mutate; 0xF0-0xFF takes the next two bytes as one UTF-16 code unit (big-endian),
// which reaches lone surrogates, full-width and Arabic-Indic digits and the like.
std::wstring Decode(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] >= 0xF0 && i + 2 < size) {
            text.push_back(static_cast<wchar_t>((data[i + 1] << 8) | data[i + 2]));
            i += 2;
        } else {
            text.push_back(static_cast<wchar_t>(data[i]));
        }
    }
    return text;
}

bool IsAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The number at the start of the text, by the grammar
//   [ \t]* [+-]? (digits with at most one '.', at least one digit) ([eE] [+-]? digit+)?
// as a narrow string for strtod; empty when the text does not start with a number.
std::string ReferencePrefix(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    std::string out;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) out.push_back(static_cast<char>(text[i++]));
    bool sawDigit = false;
    bool sawPoint = false;
    for (; i < text.size(); ++i) {
        if (IsAsciiDigit(text[i])) {
            sawDigit = true;
        } else if (text[i] == L'.' && !sawPoint) {
            sawPoint = true;
        } else {
            break;
        }
        out.push_back(static_cast<char>(text[i]));
    }
    if (!sawDigit) return {};
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) exponent.push_back(static_cast<char>(text[j++]));
        if (j < text.size() && IsAsciiDigit(text[j])) {
            while (j < text.size() && IsAsciiDigit(text[j])) exponent.push_back(static_cast<char>(text[j++]));
            out += exponent;
        }
    }
    return out;
}

void CheckRounding(std::wstring_view text, double value) {
    // nearbyint rounds halves to even in the default mode.
    if (std::fegetround() != FE_TONEAREST) fuzz::Fail("rounding mode changed");
    const bool finite = std::isfinite(value);
    const double rounded = finite ? std::nearbyint(value) : 0;
    const bool overflow = !finite || rounded < -32768.0 || rounded > 32767.0;
    try {
        const std::int16_t result = calc::RoundToInt16(value);
        if (overflow) {
            fuzz::Fail("RoundToInt16(%.17g) = %d, expected overflow; text \"%s\"", value, result,
                       fuzz::Escape(text).c_str());
        }
        if (result != rounded) {
            fuzz::Fail("RoundToInt16(%.17g) = %d, expected %.0f; text \"%s\"", value, result, rounded,
                       fuzz::Escape(text).c_str());
        }
    } catch (const calc::RuntimeError& e) {
        if (!overflow || e.number != calc::kOverflow) {
            fuzz::Fail("RoundToInt16(%.17g) raised error %d, expected %s; text \"%s\"", value, e.number,
                       overflow ? "6" : "no error", fuzz::Escape(text).c_str());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = Decode(data, size);
    const double value = calc::TextToNumber(text);

    // Non-ASCII characters never match the grammar, so the reference covers every text.
    const std::string prefix = ReferencePrefix(text);
    const double expected = prefix.empty() ? 0.0 : fuzz::ParseC(prefix);
    if (!fuzz::SameDouble(value, expected)) {
        fuzz::Fail("TextToNumber(\"%s\") = %.17g, reference \"%s\" = %.17g", fuzz::Escape(text).c_str(), value,
                   prefix.c_str(), expected);
    }

    CheckRounding(text, value);
    return 0;
}
