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

// The exact decimal expansion of a finite value's magnitude: a double is an integer
// times a power of two, so its expansion ends, at most 1074 places after the point,
// and to_chars with that precision writes it without rounding anything.
std::string ExactExpansion(double magnitude) {
    int exponent = 0;
    std::frexp(magnitude, &exponent);  // magnitude < 2^exponent; its last bit is 2^(exponent - 53)
    const int places = std::clamp(53 - exponent, 0, 1074);
    std::string text(std::numeric_limits<double>::max_exponent10 + 3 + 1074, '\0');
    const auto written = std::to_chars(text.data(), text.data() + text.size(), magnitude,
                                       std::chars_format::fixed, places);
    text.resize(static_cast<std::size_t>(written.ptr - text.data()));
    return text;
}

// Whole digits plus the first two places, rounded half away from zero on the exact
// expansion: the third place alone decides, since every later digit only adds.
std::string Hundredths(double magnitude) {
    std::string text = ExactExpansion(magnitude);
    std::size_t point = text.find('.');
    if (point == std::string::npos) return text;
    text.append(3, '0');  // at least three places
    const bool up = text[point + 3] >= '5';
    text.resize(point + 3);
    text.erase(point, 1);  // now an integer count of hundredths
    if (up) {
        std::size_t i = text.size();
        while (i > 0 && text[i - 1] == '9') text[--i] = '0';
        if (i > 0) {
            ++text[i - 1];
        } else {
            text.insert(0, 1, '1');
            ++point;
        }
    }
    text.insert(point, 1, '.');
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

}  // namespace

bool IsWholeNumberText(std::wstring_view text) {
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    std::size_t i = 0;
    while (i < text.size() && blank(text[i])) ++i;
    ReadSign(text, i);
    const std::size_t digits = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == digits) return false;
    while (i < text.size() && blank(text[i])) ++i;
    return i == text.size();
}

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
    const std::string digits = Hundredths(std::fabs(value));
    std::wstring text = value < 0 && digits != "0" ? L"-" : L"";
    for (const char c : digits) {
        if (c == '.') text += decimalSeparator;
        else text.push_back(static_cast<wchar_t>(c));
    }
    return text;
}

}  // namespace calc
