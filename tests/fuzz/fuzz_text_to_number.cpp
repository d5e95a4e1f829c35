// Any text -> whether it is a plain whole number, and the number read from it: the reading of
// every dimension a user types, against a reading by hand and strtod. Superlinear reading shows
// up as a libFuzzer timeout.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = Decode(data, size);
    // [ \t]* [+-]? [0-9]+ [ \t]*, read by hand: the number without its blanks, or empty.
    const std::size_t first = std::min(text.find_first_not_of(L" \t"), text.size());
    const std::size_t end = text.find_last_not_of(L" \t") + 1;  // 0 when all blank
    const std::size_t digits = first + (first < end && (text[first] == L'+' || text[first] == L'-'));
    const bool whole = digits < end && std::all_of(text.begin() + digits, text.begin() + end,
                                                   [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    const std::string number = whole ? std::string(text.begin() + first, text.begin() + end) : "";
    if (calc::IsWholeNumberText(text) == number.empty())
        FUZZ_FAIL("IsWholeNumberText says %d for \"%ls\"", !number.empty() ? 0 : 1, text.c_str());
    const double value = calc::TextToNumber(text);  // any text, in time linear in its length
    if (number.empty()) return 0;
    const double expected = std::strtod(number.c_str(), nullptr);  // no locale set
    if (value != expected || std::signbit(value) != std::signbit(expected))  // -0.0 and 0.0 differ
        FUZZ_FAIL("TextToNumber = %.17g, reference \"%s\" = %.17g", value, number.c_str(), expected);
    return 0;
}
