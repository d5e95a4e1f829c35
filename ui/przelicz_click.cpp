// What "Przelicz" does: reads the two sizes, refusing what it cannot read honestly, and
// writes the results, each as soon as it is known.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>

#include "calc/number_text.h"
#include "calc/tyre.h"
#include "design/form_api.h"
#include "ui/main_window.h"
#include "ui/verdict_lines.h"

namespace ui {
namespace {

using namespace form1;

// A tyre dimension as the user gives it: its combo, the box used when the combo's last
// entry ("inna"/"inny") is selected, its name in a report, and its largest accepted value.
// With every dimension at its largest the wheel is 999 x 300/50 + 99 x 25.4 = 8508.6 mm
// across, so every diameter fits a result box (kBoxDigits); lorry tyres reach 1100 mm.
struct Dimension {
    int combo, box;
    std::wstring_view name;
    std::int16_t largest;
};
constexpr Dimension kCurrent[] = {{Combo1, Text1, L"Szerokość aktualnej opony", 999},
                                  {Combo2, Text2, L"Profil aktualnej opony", 300},
                                  {Combo3, Text3, L"Średnica felgi aktualnej opony", 99}};
constexpr Dimension kProposed[] = {{Combo4, Text4, L"Szerokość nowej opony", 999},
                                   {Combo5, Text5, L"Profil nowej opony", 300},
                                   {Combo6, Text6, L"Średnica felgi nowej opony", 99}};

// Where each result goes, in the order a click writes them, its name in a report and the
// characters that fit its control whole at every density ("8888.88" and "-888.88" in a box,
// "888.88" and "-88.88" in a label of the speed table): longer would be shown cut.
struct Result {
    int id;
    std::wstring_view name;
    std::size_t room;
};
constexpr std::size_t kBoxDigits = 7, kSpeedDigits = 6;
constexpr Result kResults[] = {
    {srdnicaakt, L"Średnica koła z aktualnym rozmiarem opony", kBoxDigits},
    {srednicanew, L"Średnica koła z nowym rozmiarem opony", kBoxDigits},
    {roznica, L"Różnica średnicy kół", kBoxDigits},
    {procentbl, L"Błąd prędkościomierza", kBoxDigits},
    // The right-hand column of the speed table, in the order of calc::kReferenceSpeeds.
    {Label21_1, L"Rzeczywista prędkość przy 50 km/h", kSpeedDigits},
    {Label22, L"Rzeczywista prędkość przy 60 km/h", kSpeedDigits},
    {Label23, L"Rzeczywista prędkość przy 80 km/h", kSpeedDigits},
    {Label24, L"Rzeczywista prędkość przy 90 km/h", kSpeedDigits},
    {Label25, L"Rzeczywista prędkość przy 100 km/h", kSpeedDigits},
    {Label26, L"Rzeczywista prędkość przy 150 km/h", kSpeedDigits},
    // The verdict's lines, which wrap in their labels.
    {Label31, L"Ocena zamiennika", std::numeric_limits<std::size_t>::max()},
    {Label32, L"Ocena zamiennika", std::numeric_limits<std::size_t>::max()},
    {Label33, L"Ocena zamiennika", std::numeric_limits<std::size_t>::max()},
};
constexpr size_t kFirstSpeed = 4, kFirstVerdictLine = 10;

// What was typed, as the report quotes it: a long paste is cut.
std::wstring Quoted(std::wstring_view text) {
    constexpr size_t kShown = 40;
    if (text.empty()) return L"nic (puste pole)";
    return L"„" + std::wstring(text.substr(0, kShown)) + (text.size() > kShown ? L"…”" : L"”");
}

calc::RuntimeError About(calc::RuntimeError error, std::wstring_view field, std::wstring_view rest) {
    if (error.detail.empty()) error.detail = L"Pole: " + std::wstring(field) + std::wstring(rest);
    return error;
}

// A combo and the box below it give one dimension: the box counts only while the
// combo's last entry is selected. Only a plain whole number in range is taken: "15.5",
// "15,5", "" or "55%" would otherwise be read as 16, 15, 0 or 55 without a word.
std::int16_t ReadDimension(const forms::Controls& form, const Dimension& d) {
    std::wstring text;
    try {
        const std::int16_t index = form.ListIndex(d.combo);
        const std::int16_t count = form.ListCount(d.combo);
        if (index == std::numeric_limits<std::int16_t>::max())  // index + 1 in 16 bits
            throw About(calc::Overflow(), d.name, L"\nPozycja na liście: 32767");
        text = index + 1 == count ? form.Text(d.box) : form.List(d.combo, index);
    } catch (const calc::RuntimeError& e) {
        throw About(e, d.name, {});
    }
    if (!calc::IsWholeNumberText(text))
        throw About(calc::TypeMismatch(), d.name,
                    L"\nWpisano: " + Quoted(text) + L"\nWpisz liczbę całkowitą, same cyfry (np. 16), bez kropki, "
                    L"przecinka i jednostek.");
    const std::wstring range = L"\nWpisano: " + Quoted(text) + L"\nDozwolone są liczby całkowite od 0 do " +
                               std::to_wstring(d.largest) + L".";
    std::int16_t value = 0;
    try {
        value = calc::RoundToInt16(calc::TextToNumber(text));
    } catch (const calc::RuntimeError& e) {
        throw About(e, d.name, range);
    }
    if (value < 0 || value > d.largest) throw About(calc::Overflow(), d.name, range);
    return value;
}

calc::TyreSize ReadSize(const forms::Controls& form, const Dimension (&size)[3]) {
    return {ReadDimension(form, size[0]), ReadDimension(form, size[1]), ReadDimension(form, size[2])};
}

// Writes each result as soon as it is known. After an error every result not yet written
// is emptied: what stays on screen belongs to the inputs on screen.
class Results {
public:
    explicit Results(forms::Controls& form) : form_(form), separator_(form.program().DecimalSeparator()) {}

    void Show(size_t at, double value) { Show(at, calc::NumberToText(value, separator_)); }
    void Show(size_t at, const std::wstring& text) {
        const Result& r = kResults[at];
        if (text.size() > r.room)
            throw About(calc::Overflow(), r.name, L"\nWynik: " + text + L" – nie mieści się w polu.");
        form_.SetText(r.id, text);
        written_ = at + 1;
    }
    const std::wstring& separator() const { return separator_; }
    // Best effort: the error that ended the click is the one to tell.
    void EmptyTheRest() noexcept {
        for (size_t at = written_; at < std::size(kResults); ++at) {
            try {
                form_.SetText(kResults[at].id, L"");
            } catch (...) {
            }
        }
    }

private:
    forms::Controls& form_;
    const std::wstring separator_;  // read at each click: a change in the regional settings shows at the next one
    size_t written_ = 0;
};

// Divisions fault only on a current wheel of diameter 0: the report names it.
template <typename F>
double DividingBy(double currentDiameter, const std::wstring& separator, F compute) {
    try {
        return compute();
    } catch (const calc::RuntimeError& e) {
        throw About(e, kResults[0].name, L"\nWartość: " + calc::NumberToText(currentDiameter, separator));
    }
}

void Compare(forms::Controls& form, Results& results) {
    const std::wstring& separator = results.separator();
    const double currentDiameter = calc::WheelDiameter(ReadSize(form, kCurrent));
    results.Show(0, currentDiameter);

    const double newDiameter = calc::WheelDiameter(ReadSize(form, kProposed));
    results.Show(1, newDiameter);

    results.Show(2, calc::DiameterDifference(currentDiameter, newDiameter));

    const double shownNew = calc::TextToNumber(form.Text(srednicanew));
    results.Show(3, DividingBy(currentDiameter, separator, [&] {
        return calc::ErrorPercent(calc::ErrorRatio(shownNew, currentDiameter, newDiameter));
    }));

    const double factor = DividingBy(currentDiameter, separator, [&] { return calc::SpeedFactor(currentDiameter, newDiameter); });
    for (size_t row = 0; row < calc::kReferenceSpeeds.size(); ++row)
        results.Show(kFirstSpeed + row, calc::ActualSpeed(factor, calc::kReferenceSpeeds[row]));

    const Verdict verdict = VerdictOf(currentDiameter, newDiameter, separator);
    form.SetInk(Label32, verdict.bandInk);
    for (size_t line = 0; line < verdict.lines.size(); ++line) results.Show(kFirstVerdictLine + line, verdict.lines[line]);
}

}  // namespace

void Przelicz_Click(forms::Controls& form) {
    Results results(form);
    try {
        Compare(form, results);
    } catch (...) {
        results.EmptyTheRest();
        throw;
    }
}

}  // namespace ui
