// What the user reads besides the results: the verdict's lines and the error reports.
#include <gtest/gtest.h>

#include <array>
#include <new>
#include <stdexcept>
#include <string>
#include <tuple>

#include "design/errors.h"
#include "design/look.h"
#include "ui/verdict_lines.h"

namespace ui {
namespace {

// The verdict for a smaller, an equal, a larger and a much smaller new wheel, worked by hand from
// 634.5 mm (195/65 R15): 631.9 (205/55 R16), 647.5 (205/65 R15), 385.8 (135/30 R12), and 0. The band
// in green, amber or red, each standing out 4.5:1 at least on the sand (237, 224, 191).
TEST(Verdict, SaysTheChangeItsBandAndWhatTheSpeedometerDoes) {
    const std::wstring practice = L"W przedziale serwisów oponiarskich: od -2 % do +1,5 %.", exact = L"Dokładny dziś prędkościomierz ";
    const std::wstring beyond = L"Poza granicą ±3 %: zamiana niezalecana.";
    constexpr forms::Rgb green{0, 100, 0}, amber{150, 75, 0}, red{176, 0, 0};
    const std::tuple<double, std::array<std::wstring, 3>, forms::Rgb> cases[] = {
        {631.9, {L"Zmiana średnicy koła: -0,41 %", practice, exact + L"zawyży o 0,41 %: R39 na to pozwala."}, green},
        {634.5, {L"Zmiana średnicy koła: 0 %", practice, exact + L"pokaże prędkość rzeczywistą: zgodnie z R39."}, green},
        {647.5, {L"Zmiana średnicy koła: 2,05 %", L"Poza przedziałem serwisów (od -2 % do +1,5 %), w granicach ±3 %.",
                 exact + L"zaniży o 2,01 %: R39 (§5.3) na to nie pozwala."}, amber},
        {385.8, {L"Zmiana średnicy koła: -39,2 %", beyond, exact + L"zawyży o 64,46 %: więcej, niż pozwala R39."}, red},
        {0, {L"Zmiana średnicy koła: -100 %", beyond, exact + L"zawyży: więcej, niż pozwala R39."}, red},
    };
    for (const auto& [proposed, lines, ink] : cases) {
        const Verdict v = VerdictOf(634.5, proposed, L",");
        EXPECT_EQ(v.lines, lines) << proposed;
        EXPECT_EQ(std::tuple(v.bandInk.r, v.bandInk.g, v.bandInk.b), std::tuple(ink.r, ink.g, ink.b)) << proposed;
        EXPECT_GE(forms::ContrastRatio(ink, {237, 224, 191}), forms::kStandsOut) << proposed;
    }
}

// What the user is told: the runtime's window failures and any exception a handler lets out.
TEST(Errors, NumberAndText) {
    const auto current = [](auto raise) {
        try {
            raise();
        } catch (...) {
            return forms::CurrentError();
        }
        return calc::RuntimeError{};
    };
    const std::tuple<calc::RuntimeError, int, const wchar_t*> cases[] = {
        {forms::WindowFailure(L"pokazać okna", 0xFFFF), 5, L"Nie udało się pokazać okna (kod systemu 65535)"},
        {forms::WindowFailure(L"utworzyć okna", 0x10000), 5, L"Nie udało się utworzyć okna (kod systemu 0x00010000)"},
        {current([] { throw calc::DivisionByZero(); }), 11, L"Dzielenie przez zero"},
        {current([] { throw std::bad_alloc(); }), 7, L"Brak pamięci"},
        {current([] { throw std::runtime_error("abc"); }), 51, L"Nieoczekiwany błąd wewnętrzny: abc"},
        {current([] { throw 42; }), 51, L"Nieoczekiwany błąd wewnętrzny: nieznany wyjątek"},
    };
    for (const auto& [e, number, text] : cases)
        EXPECT_EQ(std::tie(e.number, e.description), std::tuple(number, std::wstring(text)));
    EXPECT_EQ(forms::ReportText({6, L"Przepełnienie"}), L"Błąd wykonania nr 6:\n\nPrzepełnienie");
    EXPECT_EQ(forms::ReportText({13, L"Niezgodność typów", L"Pole: Profil nowej opony"}),
              L"Błąd wykonania nr 13:\n\nNiezgodność typów\n\nPole: Profil nowej opony");
}

}  // namespace
}  // namespace ui
