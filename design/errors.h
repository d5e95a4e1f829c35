#pragma once
// Errors the forms runtime raises in a handler, beside the calculation's own, and
// what the user is told of any exception. No Windows header.

#include <string>
#include <string_view>

#include "calc/error.h"

namespace forms {

inline constexpr int kOutOfMemory = 7;
inline constexpr int kWindowFailure = 5;
inline constexpr int kBadListIndex = 381;
inline constexpr int kPropertyRefused = 380;

inline calc::RuntimeError OutOfMemory() { return {kOutOfMemory, L"Brak pamięci"}; }
inline calc::RuntimeError BadListIndex() { return {kBadListIndex, L"Nieprawidłowy indeks listy"}; }
inline constexpr int kInternalError = 51;
inline calc::RuntimeError InternalError(std::wstring_view what) {
    return {kInternalError, L"Nieoczekiwany błąd wewnętrzny: " + std::wstring(what)};
}
inline calc::RuntimeError PropertyRefused() {
    return {kPropertyRefused, L"Kontrolka odrzuciła zmianę właściwości"};
}
// what: the failed operation, e.g. L"utworzyć okna"; code: the system's error code.
calc::RuntimeError WindowFailure(std::wstring_view what, unsigned long code);
// The report's text: the number and description, then the detail below a blank line.
std::wstring ReportText(const calc::RuntimeError& error);
// What the user is told of the exception being handled; call only inside a catch.
calc::RuntimeError CurrentError() noexcept;

}  // namespace forms
