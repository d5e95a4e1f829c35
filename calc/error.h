#pragma once
// The program's run-time error: what a click handler raises and what the user
// is shown. Numbers follow the long-standing Basic convention the users know.

#include <string>

namespace calc {

struct RuntimeError {
    int number;
    std::wstring description;
    std::wstring detail = {};  // lines below the description: the field and the value at fault
};

inline constexpr int kOverflow = 6;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kTypeMismatch = 13;

inline RuntimeError Overflow() { return {kOverflow, L"Przepełnienie"}; }
inline RuntimeError DivisionByZero() { return {kDivisionByZero, L"Dzielenie przez zero"}; }
inline RuntimeError TypeMismatch() { return {kTypeMismatch, L"Niezgodność typów"}; }

}  // namespace calc
