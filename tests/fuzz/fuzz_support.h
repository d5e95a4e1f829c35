#pragma once
// Shared by the fuzz targets: failure reports and reference conversions that
// do not go through the code under test.

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>
#include <string_view>

namespace fuzz {

// Printable form of a wide text: ASCII as is, everything else as \x{...}.
inline std::string Escape(std::wstring_view text) {
    std::string out;
    for (const wchar_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != L'\\') {
            out.push_back(static_cast<char>(c));
        } else {
            char code[16];
            std::snprintf(code, sizeof code, "\\x{%X}", static_cast<unsigned>(c));
            out += code;
        }
    }
    return out;
}

// libFuzzer keeps the input that got here as a crash artifact.
[[noreturn]] inline void Fail(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::fputs("\nFUZZ PROPERTY VIOLATED: ", stderr);
    std::vfprintf(stderr, format, args);
    std::fputs("\n", stderr);
    va_end(args);
    std::abort();
}

// "C" regardless of what the process locale might become.
inline locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

inline double ParseC(const std::string& text) { return strtod_l(text.c_str(), nullptr, CLocale()); }

// Same value and same sign, so -0.0 and 0.0 differ.
inline bool SameDouble(double a, double b) {
    return (a == b && std::signbit(a) == std::signbit(b)) || (std::isnan(a) && std::isnan(b));
}

}  // namespace fuzz
