#include "ui/verdict_lines.h"

#include <cmath>

#include "calc/number_text.h"
#include "calc/tyre.h"
#include "calc/verdict.h"

namespace ui {

std::array<std::wstring, 3> VerdictLines(double current, double proposed, std::wstring_view separator) {
    const auto percent = [&](double value) { return calc::NumberToText(value, separator) + L" %"; };
    const double change = calc::DiameterChangePercent(current, proposed);
    const std::wstring practice = L"od -2 % do +1" + std::wstring(separator) + L"5 %";
    std::wstring band;
    switch (calc::BandOf(change)) {
        case calc::Band::Practice: band = L"W przedziale serwisów oponiarskich: " + practice + L"."; break;
        case calc::Band::RuleOfThumb: band = L"Poza przedziałem serwisów (" + practice + L"), w granicach ±3 %."; break;
        case calc::Band::Beyond: band = L"Poza granicą ±3 %: zamiana niezalecana."; break;
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
    return {L"Zmiana średnicy koła: " + percent(change), band, speedometer};
}

}  // namespace ui
