// Any double -> NumberToText, checked against printf's rounding to 15 significant
// digits, read back with TextToNumber, and for the comma separator.

#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calc/tyre.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// printf's "%.14e" split up: the digits without trailing zeros, and the decimal exponent.
struct Rounded {
    bool negative;
    std::string digits;
    int exponent;
};

Rounded RoundTo15Digits(const char* scientific) {
    Rounded r{};
    const char* p = scientific;
    if (*p == '-') {
        r.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p) {
        if (*p != '.') r.digits.push_back(*p);
    }
    while (r.digits.size() > 1 && r.digits.back() == '0') r.digits.pop_back();
    r.exponent = std::atoi(p + 1);
    return r;
}

// The text built directly from the rounded digits.
std::string ExpectedText(const Rounded& r) {
    std::string out = r.negative ? "-" : "";
    const auto& d = r.digits;
    if (r.exponent >= -4 && r.exponent <= 14) {
        if (r.exponent < 0) {
            out += "0." + std::string(static_cast<std::size_t>(-r.exponent - 1), '0') + d;
        } else {
            const auto whole = static_cast<std::size_t>(r.exponent) + 1;
            if (d.size() <= whole) {
                out += d + std::string(whole - d.size(), '0');
            } else {
                out += d.substr(0, whole) + "." + d.substr(whole);
            }
        }
        return out;
    }
    out += d.substr(0, 1);
    if (d.size() > 1) out += "." + d.substr(1);
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "E%c%02d", r.exponent < 0 ? '-' : '+', std::abs(r.exponent));
    return out + exponent;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) {
        if (c < 0x20 || c >= 0x7F) fuzz::Fail("non-ASCII character %X in \"%s\"", static_cast<unsigned>(c),
                                             fuzz::Escape(text).c_str());
        out.push_back(static_cast<char>(c));
    }
    return out;
}

// Shape checks that do not depend on the reference text.
void CheckShape(double value, const std::string& text) {
    if (text == "-0" || text.rfind("-0E", 0) == 0 || (text.rfind("-0.", 0) == 0 &&
                                                      text.find_first_of("123456789") == std::string::npos)) {
        fuzz::Fail("%a written as negative zero \"%s\"", value, text.c_str());
    }
    const std::size_t e = text.find('E');
    const std::string mantissa = text.substr(0, e);
    const std::size_t point = mantissa.find('.');
    if (point != std::string::npos && (point + 1 == mantissa.size() || mantissa.back() == '0')) {
        fuzz::Fail("%a written with trailing zeros or a bare point \"%s\"", value, text.c_str());
    }
    std::size_t significant = 0;
    bool leading = true;
    for (const char c : mantissa) {
        if (c < '0' || c > '9') continue;
        if (leading && c == '0') continue;
        leading = false;
        ++significant;
    }
    if (significant > 15) fuzz::Fail("%a written with %zu significant digits \"%s\"", value, significant, text.c_str());
}

void CheckRounding(double value) {
    const bool finite = std::isfinite(value);
    const double rounded = finite ? std::nearbyint(value) : 0;
    const bool overflow = !finite || rounded < -32768.0 || rounded > 32767.0;
    try {
        const std::int16_t result = calc::RoundToInt16(value);
        if (overflow || result != rounded) {
            fuzz::Fail("RoundToInt16(%a) = %d, expected %s", value, result, overflow ? "overflow" : "another value");
        }
    } catch (const calc::RuntimeError& e) {
        if (!overflow || e.number != calc::kOverflow) fuzz::Fail("RoundToInt16(%a) raised error %d", value, e.number);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double)) return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    if (std::fegetround() != FE_TONEAREST) fuzz::Fail("rounding mode changed");

    CheckRounding(value);
    if (!std::isfinite(value)) return 0;

    const std::wstring dotText = calc::NumberToText(value, L".");
    const std::wstring commaText = calc::NumberToText(value, L",");
    const std::string dot = Narrow(dotText);

    std::wstring swapped = dotText;
    for (wchar_t& c : swapped) {
        if (c == L'.') c = L',';
    }
    if (commaText != swapped) {
        fuzz::Fail("%a: \"%s\" with \".\" but \"%s\" with \",\"", value, dot.c_str(),
                   fuzz::Escape(commaText).c_str());
    }

    if (value == 0) {
        if (dot != "0") fuzz::Fail("%a written as \"%s\"", value, dot.c_str());
        return 0;
    }
    CheckShape(value, dot);

    char scientific[64];
    std::snprintf(scientific, sizeof scientific, "%.14e", value);
    const double expected = fuzz::ParseC(scientific);
    const double readBack = calc::TextToNumber(dotText);
    if (!fuzz::SameDouble(readBack, expected)) {
        fuzz::Fail("%a (%s) written as \"%s\", read back as %a, expected %a", value, scientific, dot.c_str(), readBack,
                   expected);
    }

    const std::string expectedText = ExpectedText(RoundTo15Digits(scientific));
    if (dot != expectedText) {
        fuzz::Fail("%a (%s) written as \"%s\", expected \"%s\"", value, scientific, dot.c_str(), expectedText.c_str());
    }
    return 0;
}
