// Any text -> TextToNumber, against a slow reference reading of the same text.
// Superlinear reading shows up as a libFuzzer timeout.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/number_text.h"

// libFuzzer keeps the input that got here as a crash artifact.
#define FUZZ_FAIL(...) (std::fprintf(stderr, "\nFUZZ PROPERTY VIOLATED: " __VA_ARGS__), std::fputc('\n', stderr), std::abort())

namespace {

// Bytes below 0xF0 stand for themselves, so ASCII texts stay dense and easy to
// mutate; 0xF0-0xFF takes the next two bytes as one UTF-16 code unit (big-endian),
// which reaches lone surrogates, full-width and Arabic-Indic digits and the like.
std::wstring Decode(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i < size; ++i) {
        const bool wide = data[i] >= 0xF0 && i + 2 < size;
        text.push_back(static_cast<wchar_t>(wide ? (data[i + 1] << 8) | data[i + 2] : data[i]));
        if (wide) i += 2;
    }
    return text;
}

// The number at the start of the text, by the grammar
//   [ \t]* [+-]? (digits with at most one '.', at least one digit) ([eE] [+-]? digit+)?
// as a narrow string for strtod; empty when the text does not start with a number.
// Non-ASCII characters never match, so this covers every text.
std::string ReferencePrefix(std::wstring_view text) {
    const auto at = [&](std::size_t k) { return k < text.size() ? text[k] : L'\0'; };
    const auto digit = [&](std::size_t k) { return at(k) >= L'0' && at(k) <= L'9'; };
    std::size_t i = 0;
    while (at(i) == L' ' || at(i) == L'\t') ++i;
    const std::size_t start = at(i) == L'+' || at(i) == L'-' ? i++ : i;
    bool sawDigit = false;
    for (bool sawPoint = false; digit(i) || (at(i) == L'.' && !sawPoint); ++i) {
        sawDigit = sawDigit || digit(i);
        sawPoint = sawPoint || at(i) == L'.';
    }
    if (!sawDigit) return {};
    std::size_t end = i + 1 + (at(i + 1) == L'+' || at(i + 1) == L'-');
    if ((at(i) == L'e' || at(i) == L'E') && digit(end)) {
        while (digit(end)) ++end;
        i = end;
    }
    return std::string(text.begin() + start, text.begin() + i);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = Decode(data, size);
    const double value = calc::TextToNumber(text);
    const std::string prefix = ReferencePrefix(text);
    const double expected = prefix.empty() ? 0.0 : std::strtod(prefix.c_str(), nullptr);  // nothing sets a locale
    if (value != expected || std::signbit(value) != std::signbit(expected))  // -0.0 and 0.0 differ
        FUZZ_FAIL("TextToNumber = %.17g, reference \"%s\" = %.17g", value, prefix.c_str(), expected);
    return 0;
}
