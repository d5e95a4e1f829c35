#include "calc/number_text.h"

#include <algorithm>
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

// A number read from the start of a text, not yet converted: d1.d2d3... times
// 10 to the power point + exponent, `sticky` standing for any non-zero digit
// beyond the kept ones.
struct ScannedNumber {
    bool negative = false;
    std::string digits;  // significant digits only
    bool sticky = false;
    std::int64_t point = 0;     // decimal exponent of the first digit as written
    std::int64_t exponent = 0;  // of the "e" part; 0 when there is none
};

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Steps over an optional sign; true for a minus.
bool ReadSign(std::wstring_view text, std::size_t& i) {
    if (i >= text.size() || (text[i] != L'+' && text[i] != L'-')) return false;
    return text[i++] == L'-';
}

// The exponent at text[i] when it is complete ("e5", "E-12"); otherwise 0, as
// the number then ends before the letter.
std::int64_t ReadExponent(std::wstring_view text, std::size_t i) {
    if (i >= text.size() || (text[i] != L'e' && text[i] != L'E')) return 0;
    const bool negative = ReadSign(text, ++i);
    std::int64_t exponent = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (exponent < kExponentCap) exponent = exponent * 10 + (text[i] - L'0');
    }
    return negative ? -exponent : exponent;
}

// An empty (positive zero) result when the text does not start with a number.
ScannedNumber Scan(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    ScannedNumber number;
    number.negative = ReadSign(text, i);

    std::int64_t leadingFractionZeros = 0;
    bool anyDigit = false;
    bool inFraction = false;
    for (; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'.' && !inFraction) {
            inFraction = true;
            continue;
        }
        if (!IsDigit(c)) break;
        anyDigit = true;
        if (number.digits.empty()) {
            if (c == L'0') {
                if (inFraction) ++leadingFractionZeros;
                continue;
            }
            number.point = inFraction ? -(leadingFractionZeros + 1) : -1;
            number.digits.reserve(kKeptDigits + 1);
        }
        if (!inFraction) ++number.point;
        if (number.digits.size() < kKeptDigits) {
            number.digits.push_back(static_cast<char>(c));
        } else if (c != L'0') {
            number.sticky = true;
        }
    }
    if (!anyDigit) return {};
    number.exponent = ReadExponent(text, i);
    return number;
}

double Convert(ScannedNumber number) {
    const auto withSign = [&number](double magnitude) { return number.negative ? -magnitude : magnitude; };
    const double infinity = std::numeric_limits<double>::infinity();
    const std::int64_t position = number.point + number.exponent;
    if (number.digits.empty() || position < kSurelyZero) return withSign(0);
    if (position > kSurelyInfinite) return withSign(infinity);

    // "d.ddde<position>", which from_chars rounds correctly.
    if (number.sticky) number.digits.push_back('1');
    std::string scientific;
    scientific.reserve(number.digits.size() + 16);
    scientific.push_back(number.digits[0]);
    scientific.push_back('.');
    scientific.append(number.digits, 1);
    scientific.push_back('e');
    scientific += std::to_string(position);

    double magnitude = 0;
    const auto parsed = std::from_chars(scientific.data(), scientific.data() + scientific.size(),
                                        magnitude, std::chars_format::scientific);
    if (parsed.ec == std::errc::result_out_of_range) magnitude = position > 0 ? infinity : 0;
    return withSign(magnitude);
}

// The significant digits of a positive finite value rounded to 15, without
// trailing zeros, and the decimal exponent of the first.
struct Digits {
    std::string digits;
    int exponent = 0;
};

Digits FifteenDigits(double magnitude) {
    // "d.dddddddddddddde+XXX" at most.
    char buffer[32];
    char* const end = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::scientific, 14).ptr;
    char* const e = std::find(buffer, end, 'e');
    Digits result;
    result.digits.assign(buffer, 1).append(buffer + 2, e);  // past the point
    while (result.digits.size() > 1 && result.digits.back() == '0') result.digits.pop_back();
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, end, result.exponent);
    return result;
}

// Fixed form for decimal exponents -4 to 14, otherwise d.dddE+XX.
std::wstring Layout(Digits number, std::wstring_view decimalSeparator) {
    const bool fixed = number.exponent >= -4 && number.exponent <= 14;
    if (fixed && number.exponent < 0) {
        number.digits.insert(0, static_cast<std::size_t>(-number.exponent), '0');
        number.exponent = 0;
    }
    const std::size_t whole = fixed ? static_cast<std::size_t>(number.exponent) + 1 : 1;
    const std::string_view digits(number.digits);

    std::wstring out(digits.begin(), digits.begin() + std::min(whole, digits.size()));
    if (digits.size() < whole) out.append(whole - digits.size(), L'0');
    if (digits.size() > whole) {
        out += decimalSeparator;
        out.append(digits.begin() + whole, digits.end());
    }
    if (fixed) return out;

    out += number.exponent < 0 ? L"E-" : L"E+";
    const int magnitude = number.exponent < 0 ? -number.exponent : number.exponent;
    if (magnitude < 10) out.push_back(L'0');
    const std::string written = std::to_string(magnitude);
    return out.append(written.begin(), written.end());
}

}  // namespace

double TextToNumber(std::wstring_view text) { return Convert(Scan(text)); }

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
    const std::wstring text = Layout(FifteenDigits(std::fabs(value)), decimalSeparator);
    return value < 0 ? L"-" + text : text;
}

}  // namespace calc
