#include "ui/main_window.h"

#include <array>
#include <limits>
#include <string>

#include "app/program.h"
#include "assets/resource_ids.h"
#include "calc/tyre.h"
#include "ui/check.h"

namespace ui {
namespace {

using namespace form1;
using app::Kind;
using app::Pointer;

constexpr app::Font kRegular = app::kDialogFont;
constexpr app::Font kBold = app::kDialogFontBold;
constexpr auto kInk = app::kSystemInk;
constexpr auto kRed = app::kDarkRed;

// The last entry means "other": the value then comes from the text box below.
constexpr std::wstring_view kWidths[] = {L"145", L"155", L"165", L"175", L"185", L"195",
                                         L"205", L"215", L"225", L"235", L"inna"};
constexpr std::wstring_view kProfiles[] = {L"35", L"40", L"45", L"50", L"55", L"60",
                                           L"65", L"70", L"80", L"82", L"inny"};
constexpr std::wstring_view kRims[] = {L"13", L"14", L"15", L"16", L"17", L"18", L"19", L"20", L"inna"};

constexpr app::ControlDesc kControls[] = {
    // id, kind, name, element, {left, top, width, height}, text, font, ink, pointer, list, click
    // The size on the car now
    {Label1, Kind::Label, L"Label1", -1, {120, 1560, 3855, 255}, L"Wybierz aktualny rozmiar opony", kBold},
    {szerokosclabel2, Kind::Label, L"szerokosclabel2", -1, {240, 2040, 1095, 255}, L"szerokość"},
    {Label3, Kind::Label, L"Label3", -1, {1560, 2040, 1095, 255}, L"profil "},
    {Label4, Kind::Label, L"Label4", -1, {2880, 2040, 1335, 255}, L"srednica (cale)"},
    {Combo1, Kind::ComboBox, L"Combo1", -1, {240, 2280, 1095, 315}, L"135", kRegular, kInk, Pointer::System, kWidths},
    {Combo2, Kind::ComboBox, L"Combo2", -1, {1560, 2280, 1095, 315}, L"30", kRegular, kInk, Pointer::System, kProfiles},
    {Combo3, Kind::ComboBox, L"Combo3", -1, {2880, 2280, 1095, 315}, L"12", kRegular, kInk, Pointer::System, kRims},
    {Text1, Kind::TextBox, L"Text1", -1, {240, 2760, 1095, 285}, L"", kRegular, kInk, Pointer::IBeam},
    {Text2, Kind::TextBox, L"Text2", -1, {1560, 2760, 1095, 285}, L"", kRegular, kInk, Pointer::IBeam},
    {Text3, Kind::TextBox, L"Text3", -1, {2880, 2760, 1095, 285}, L"", kRegular, kInk, Pointer::IBeam},
    // The proposed size
    {Label2, Kind::Label, L"Label2", -1, {120, 3600, 3855, 255}, L"Wybierz nowy rozmiar opony", kBold},
    {Label5, Kind::Label, L"Label5", -1, {240, 4080, 1095, 255}, L"szerokość "},
    {Label6, Kind::Label, L"Label6", -1, {1560, 4080, 1095, 255}, L"profil"},
    {Label7, Kind::Label, L"Label7", -1, {2880, 4080, 1335, 255}, L"srednica (cale)"},
    {Combo4, Kind::ComboBox, L"Combo4", -1, {240, 4320, 1095, 315}, L"135", kRegular, kInk, Pointer::System, kWidths},
    {Combo5, Kind::ComboBox, L"Combo5", -1, {1560, 4320, 1095, 315}, L"30", kRegular, kInk, Pointer::System, kProfiles},
    {Combo6, Kind::ComboBox, L"Combo6", -1, {2880, 4320, 1095, 315}, L"12", kRegular, kInk, Pointer::System, kRims},
    {Text4, Kind::TextBox, L"Text4", -1, {240, 4800, 1095, 285}, L"", kRegular, kInk, Pointer::IBeam},
    {Text5, Kind::TextBox, L"Text5", -1, {1560, 4800, 1095, 285}, L"", kRegular, kInk, Pointer::IBeam},
    {Text6, Kind::TextBox, L"Text6", -1, {2880, 4800, 1095, 285}, L"", kRegular, kInk, Pointer::IBeam},
    // INFO: caption, result, unit
    {Label8, Kind::Label, L"Label8", -1, {5760, 1440, 735, 375}, L"INFO", kBold},
    {Label9, Kind::Label, L"Label9", -1, {4560, 1920, 2175, 495}, L"Średnica koła z aktualnym rozmiarem opony "},
    {srdnicaakt, Kind::TextBox, L"srdnicaakt", -1, {6720, 1920, 615, 285}, L"0", kBold, kRed},
    {Label28_0, Kind::Label, L"Label28", 0, {7440, 2040, 375, 255}, L"mm"},
    {Label10, Kind::Label, L"Label10", -1, {4560, 2520, 2055, 375}, L"Srednica kola z nowym rozmiarem opony"},
    {srednicanew, Kind::TextBox, L"srednicanew", -1, {6720, 2520, 615, 285}, L"0", kBold, kRed},
    {Label28_2, Kind::Label, L"Label28", 2, {7440, 2640, 255, 255}, L"mm"},
    {Label11, Kind::Label, L"Label11", -1, {4560, 3120, 2055, 255}, L"Różnica średnicy kół "},
    {roznica, Kind::TextBox, L"roznica", -1, {6720, 3120, 615, 285}, L"0", kBold, kRed},
    {Label28_1, Kind::Label, L"Label28", 1, {7440, 3240, 255, 255}, L"mm"},
    {blad, Kind::Label, L"blad", -1, {4560, 3600, 2055, 255}, L"Błąd prędkościomierza  "},
    {procentbl, Kind::TextBox, L"procentbl", -1, {6720, 3600, 615, 285}, L"0", kBold, kRed},
    {Label29, Kind::Label, L"Label29", -1, {7440, 3720, 255, 255}, L"%"},
    // Speed table: speedometer reading, unit, actual speed, unit
    {Label14, Kind::Label, L"Label14", -1, {4560, 4200, 2535, 375}, L"wskazanie prędkościomierza"},
    {Label13, Kind::Label, L"Label13", -1, {7080, 4200, 2535, 375}, L"rzeczywista prędkość:"},
    {Label15, Kind::Label, L"Label15", -1, {5040, 4560, 255, 255}, L"50", kBold},
    {Label27_0, Kind::Label, L"Label27", 0, {5400, 4560, 855, 255}, L"km/h"},
    {Label21_1, Kind::Label, L"Label21", 1, {7320, 4560, 495, 255}, L"50", kBold, kRed},
    {Label27_4, Kind::Label, L"Label27", 4, {7800, 4560, 735, 255}, L"km/h"},
    {Label16, Kind::Label, L"Label16", -1, {5040, 4920, 255, 255}, L"60", kBold},
    {Label27_2, Kind::Label, L"Label27", 2, {5400, 4920, 855, 255}, L"km/h"},
    {Label22, Kind::Label, L"Label22", -1, {7320, 4920, 495, 255}, L"60", kBold, kRed},
    {Label27_3, Kind::Label, L"Label27", 3, {7800, 4920, 735, 255}, L"km/h"},
    {Label17, Kind::Label, L"Label17", -1, {5040, 5280, 255, 255}, L"80", kBold},
    {Label27_1, Kind::Label, L"Label27", 1, {5400, 5280, 855, 255}, L"km/h"},
    {Label23, Kind::Label, L"Label23", -1, {7320, 5280, 495, 255}, L"80", kBold, kRed},
    {Label27_10, Kind::Label, L"Label27", 10, {7800, 5280, 735, 255}, L"km/h"},
    {Label18, Kind::Label, L"Label18", -1, {5040, 5640, 255, 255}, L"90", kBold},
    {Label27_7, Kind::Label, L"Label27", 7, {5400, 5640, 855, 255}, L"km/h"},
    {Label24, Kind::Label, L"Label24", -1, {7320, 5640, 495, 255}, L"90", kBold, kRed},
    {Label27_9, Kind::Label, L"Label27", 9, {7800, 5640, 735, 255}, L"km/h"},
    {Label19, Kind::Label, L"Label19", -1, {5040, 6000, 375, 255}, L"100", kBold},
    {Label27_6, Kind::Label, L"Label27", 6, {5520, 6000, 855, 255}, L"km/h"},
    {Label25, Kind::Label, L"Label25", -1, {7320, 6000, 615, 255}, L"100", kBold, kRed},
    {Label27_8, Kind::Label, L"Label27", 8, {7920, 6000, 855, 255}, L"km/h"},
    {Label20, Kind::Label, L"Label20", -1, {5040, 6360, 375, 255}, L"150", kBold},
    {Label27_5, Kind::Label, L"Label27", 5, {5520, 6360, 855, 255}, L"km/h"},
    {Label26, Kind::Label, L"Label26", -1, {7320, 6360, 615, 255}, L"150", kBold, kRed},
    {Label27_11, Kind::Label, L"Label27", 11, {7920, 6360, 855, 255}, L"km/h"},
    // Buttons
    {Przelicz, Kind::Button, L"Przelicz", -1, {120, 6960, 1335, 375}, L"Przelicz", kBold, kInk, Pointer::Busy, {}, Przelicz_Click},
    {Command2, Kind::Button, L"Command2", -1, {3600, 6960, 1335, 375}, L"O programie ...", kRegular, kInk, Pointer::Busy, {}, Command2_Click},
    {Command3, Kind::Button, L"Command3", -1, {5280, 6960, 1335, 375}, L"Pomoc", kRegular, kInk, Pointer::Busy, {}, Command3_Click},
    {Command1, Kind::Button, L"Command1", -1, {9000, 6960, 1335, 375}, L"Zakończ", kRegular, kInk, Pointer::Busy, {}, Command1_Click},
};
static_assert(IdsMatchRows(kControls, kControlCount));

constexpr int kTabOrder[] = {Przelicz, Combo1, Combo2, Combo3, Text1, Text2, Text3, Command1,
                             Combo4, Combo5, Combo6, Text4, Text5, Text6,
                             srdnicaakt, srednicanew, roznica, procentbl, Command2, Command3};

// The right-hand column of the speed table, in the order of calc::kReferenceSpeeds.
constexpr std::array<int, 6> kActualSpeeds{Label21_1, Label22, Label23, Label24, Label25, Label26};

// A combo and the box below it give one dimension: the box counts only while the
// combo's last entry ("inna"/"inny") is selected.
std::int16_t ReadDimension(const app::Form& form, int combo, int box) {
    const std::int16_t index = form.ListIndex(combo);
    const std::int16_t count = form.ListCount(combo);
    if (index == std::numeric_limits<std::int16_t>::max()) throw calc::Overflow();  // index + 1 in 16 bits
    const std::wstring text = index + 1 == count ? form.Text(box) : form.List(combo, index);
    return calc::RoundToInt16(calc::TextToNumber(text));
}

}  // namespace

const app::FormDesc kForm1{
    L"Form1", L"Tarvex zamienników opon samochodowych v1.2 by ZELT", 10485, 7500, IDP_MAIN, Pointer::Arrow,
    kControls, kTabOrder, true};

// Each result is written as soon as it is known: an error part way leaves the
// earlier ones in place.
void Przelicz_Click(app::Form& form) {
    const std::wstring separator = app::DecimalSeparator();
    const auto show = [&](int id, double value) { form.SetText(id, calc::NumberToText(value, separator)); };

    const calc::TyreSize current{ReadDimension(form, Combo1, Text1), ReadDimension(form, Combo2, Text2),
                                 ReadDimension(form, Combo3, Text3)};
    const double currentDiameter = calc::WheelDiameter(current);
    show(srdnicaakt, currentDiameter);

    const calc::TyreSize proposed{ReadDimension(form, Combo4, Text4), ReadDimension(form, Combo5, Text5),
                                  ReadDimension(form, Combo6, Text6)};
    const double newDiameter = calc::WheelDiameter(proposed);
    show(srednicanew, newDiameter);

    show(roznica, calc::DiameterDifference(currentDiameter, newDiameter));

    const double shownNew = calc::TextToNumber(form.Text(srednicanew));
    show(procentbl, calc::ErrorPercent(calc::ErrorRatio(shownNew, currentDiameter, newDiameter)));

    const double factor = calc::SpeedFactor(currentDiameter, newDiameter);
    for (size_t row = 0; row < kActualSpeeds.size(); ++row)
        show(kActualSpeeds[row], calc::ActualSpeed(factor, calc::kReferenceSpeeds[row]));
}

void Command1_Click(app::Form& form) { form.program().End(); }

void Command2_Click(app::Form& form) { form.program().Form2->Show(); }

void Command3_Click(app::Form& form) { form.program().Form3->Show(); }

}  // namespace ui
