#include "ui/verdict_lines.h"

#include <cmath>

#include "calc/number_text.h"
#include "calc/tyre.h"
#include "calc/verdict.h"

namespace ui {
namespace {

// Each at least 4.5:1 against the sand, as WCAG asks of text: green, amber, red.
constexpr forms::Rgb kPracticeInk{0, 100, 0}, kRuleOfThumbInk{150, 75, 0}, kBeyondInk{176, 0, 0};

}  // namespace

Verdict VerdictOf(double current, double proposed, std::wstring_view separator) {
    const auto percent = [&](double value) { return calc::NumberToText(value, separator) + L" %"; };
    const double change = calc::DiameterChangePercent(current, proposed);
    const std::wstring practice = L"od -2 % do +1" + std::wstring(separator) + L"5 %";
    std::wstring band;
    forms::Rgb ink{};
    switch (calc::BandOf(change)) {
        case calc::Band::Practice:
            band = L"W przedziale serwisów oponiarskich: " + practice + L".", ink = kPracticeInk;
            break;
        case calc::Band::RuleOfThumb:
            band = L"Poza przedziałem serwisów (" + practice + L"), w granicach ±3 %.", ink = kRuleOfThumbInk;
            break;
        case calc::Band::Beyond: band = L"Poza granicą ±3 %: zamiana niezalecana.", ink = kBeyondInk; break;
    }
    // A new wheel of diameter 0 leaves no true speed to compare with.
    const std::wstring by = proposed > 0 ? L" o " + percent(std::abs(calc::ReadsHighByPercent(current, proposed))) : L"";
    std::wstring speedometer = L"Dokładny dziś prędkościomierz ";
    switch (calc::R39Verdict(calc::SpeedFactor(current, proposed))) {
        case calc::Speedometer::Exact: speedometer += L"pokaże prędkość rzeczywistą: zgodnie z R39."; break;
        case calc::Speedometer::ReadsHighAllowed: speedometer += L"zawyży" + by + L": R39 na to pozwala."; break;
        case calc::Speedometer::ReadsHighTooMuch: speedometer += L"zawyży" + by + L": więcej, niż pozwala R39."; break;
        case calc::Speedometer::ReadsLow: speedometer += L"zaniży" + by + L": R39 (§5.3) na to nie pozwala."; break;
    }
    return {{L"Zmiana średnicy koła: " + percent(change), band, speedometer}, ink};
}

}  // namespace ui
