#include "calc/tyre.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace calc {
namespace {

// Any midpoint between two adjacent doubles has at most 767 significant
// decimal digits, so keeping more than that plus one sticky digit for the
// rest rounds exactly as the full text would.
constexpr std::size_t kKeptDigits = 800;

// Decimal exponents beyond these are out of range whatever the digits are.
constexpr std::int64_t kSurelyInfinite = 310;
constexpr std::int64_t kSurelyZero = -400;

// Caps the exponent being read while still fitting int64 after adding any
// position a real text can reach.
constexpr std::int64_t kExponentCap = 100'000'000'000'000'000;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

double Checked(double value) {
    if (!std::isfinite(value)) throw Overflow();
    return value;
}

double Divide(double dividend, double divisor) {
    if (divisor == 0) {
        if (dividend == 0) throw Overflow();
        throw DivisionByZero();
    }
    return Checked(dividend / divisor);
}

}  // namespace

double TextToNumber(std::wstring_view text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && (text[i] == L' ' || text[i] == L'\t')) ++i;

    bool negative = false;
    if (i < n && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }

    // Significant digits only; `position` is the decimal exponent of the
    // first of them.
    std::string digits;
    bool sticky = false;
    std::int64_t position = 0;
    std::int64_t leadingFractionZeros = 0;
    bool anyDigit = false;
    bool inFraction = false;
    for (; i < n; ++i) {
        const wchar_t c = text[i];
        if (c == L'.' && !inFraction) {
            inFraction = true;
            continue;
        }
        if (!IsDigit(c)) break;
        anyDigit = true;
        if (digits.empty()) {
            if (c == L'0') {
                if (inFraction) ++leadingFractionZeros;
                continue;
            }
            position = inFraction ? -(leadingFractionZeros + 1) : -1;
            digits.reserve(kKeptDigits + 1);
        }
        if (!inFraction) ++position;
        if (digits.size() < kKeptDigits) {
            digits.push_back(static_cast<char>(c));
        } else if (c != L'0') {
            sticky = true;
        }
    }
    if (!anyDigit) return 0;

    // An exponent counts only when complete; otherwise the number ends before the letter.
    if (i < n && (text[i] == L'e' || text[i] == L'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < n && (text[j] == L'+' || text[j] == L'-')) {
            negativeExponent = text[j] == L'-';
            ++j;
        }
        if (j < n && IsDigit(text[j])) {
            std::int64_t exponent = 0;
            for (; j < n && IsDigit(text[j]); ++j) {
                if (exponent < kExponentCap) exponent = exponent * 10 + (text[j] - L'0');
            }
            position += negativeExponent ? -exponent : exponent;
        }
    }

    const double zero = negative ? -0.0 : 0.0;
    const double infinity = negative ? -std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::infinity();
    if (digits.empty()) return zero;
    if (position > kSurelyInfinite) return infinity;
    if (position < kSurelyZero) return zero;

    if (sticky) digits.push_back('1');
    std::string buffer;
    buffer.reserve(digits.size() + 16);
    buffer.push_back(digits[0]);
    buffer.push_back('.');
    buffer.append(digits, 1);
    buffer.push_back('e');
    buffer += std::to_string(position);

    double magnitude = 0;
    const auto parsed = std::from_chars(buffer.data(), buffer.data() + buffer.size(),
                                        magnitude, std::chars_format::scientific);
    if (parsed.ec == std::errc::result_out_of_range) return position > 0 ? infinity : zero;
    return negative ? -magnitude : magnitude;
}

std::int16_t RoundToInt16(double value) {
    // Also rejects NaN; inside this range floor and the subtraction are exact,
    // so the current rounding mode never matters.
    if (!(value > -40000.0 && value < 40000.0)) throw Overflow();
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
    if (whole < -32768.0 || whole > 32767.0) throw Overflow();
    return static_cast<std::int16_t>(whole);
}

std::wstring NumberToText(double value, std::wstring_view decimalSeparator) {
    if (std::isnan(value)) return L"NaN";
    if (std::isinf(value)) return value < 0 ? L"-Inf" : L"Inf";
    if (value == 0) return L"0";

    // "-d.dddddddddddddde+XXX" at most.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, 14);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));

    std::wstring out;
    std::size_t k = 0;
    if (scientific[k] == '-') {
        out.push_back(L'-');
        ++k;
    }
    std::string digits;
    for (; scientific[k] != 'e'; ++k) {
        if (scientific[k] != '.') digits.push_back(scientific[k]);
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const bool negativeExponent = scientific[k + 1] == '-';
    int exponent = 0;
    for (k += 2; k < scientific.size(); ++k) exponent = exponent * 10 + (scientific[k] - '0');
    if (negativeExponent) exponent = -exponent;

    const auto appendAscii = [&out](std::string_view ascii) {
        for (const char c : ascii) out.push_back(static_cast<wchar_t>(c));
    };
    const std::string_view all(digits);

    if (exponent >= -4 && exponent <= 14) {
        if (exponent < 0) {
            out.push_back(L'0');
            out += decimalSeparator;
            out.append(static_cast<std::size_t>(-exponent - 1), L'0');
            appendAscii(all);
        } else {
            const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
            if (all.size() <= wholeDigits) {
                appendAscii(all);
                out.append(wholeDigits - all.size(), L'0');
            } else {
                appendAscii(all.substr(0, wholeDigits));
                out += decimalSeparator;
                appendAscii(all.substr(wholeDigits));
            }
        }
        return out;
    }

    appendAscii(all.substr(0, 1));
    if (all.size() > 1) {
        out += decimalSeparator;
        appendAscii(all.substr(1));
    }
    out += exponent < 0 ? L"E-" : L"E+";
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) out.push_back(L'0');
    appendAscii(std::to_string(magnitude));
    return out;
}

double WheelDiameter(TyreSize size) {
    const double rim = Checked(size.rim * 25.4);
    double sidewall = Checked(size.profile / 100.0);
    sidewall = Checked(sidewall * size.width);
    return Checked(sidewall + sidewall + rim);
}

double DiameterDifference(double current, double proposed) {
    return Checked(proposed - current);
}

double ErrorRatio(double newDiameterAsShown, double current, double proposed) {
    const double quotient = newDiameterAsShown > 0 ? Divide(current, proposed)
                                                   : Divide(proposed, current);
    return Checked(-(1 - quotient));
}

double ErrorPercent(double errorRatio) { return Checked(errorRatio * 100); }

double SpeedFactor(double current, double proposed) { return Divide(proposed, current); }

double ActualSpeed(double speedFactor, double reading) {
    return Checked(speedFactor * reading);
}

}  // namespace calc
