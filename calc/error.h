#pragma once
// The program's run-time error: what a click handler raises and what the user
// is shown. Numbers follow the long-standing Basic convention the users know.

#include <string>

namespace calc {

struct RuntimeError {
    int number;
    std::wstring description;
};

inline constexpr int kOverflow = 6;
inline constexpr int kDivisionByZero = 11;

inline RuntimeError Overflow() { return {kOverflow, L"Przepełnienie"}; }
inline RuntimeError DivisionByZero() { return {kDivisionByZero, L"Dzielenie przez zero"}; }

}  // namespace calc
