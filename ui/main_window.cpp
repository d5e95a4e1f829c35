#include "ui/main_window.h"

#include <string_view>

#include "assets/resource_ids.h"
#include "design/form_api.h"
#include "ui/check.h"

namespace ui {
namespace {

using namespace form1;
using forms::Button;
using forms::ComboBox;
using forms::Label;
using forms::Pointer;
using forms::TextBox;

constexpr forms::Font kBold = forms::kDialogFontBold;
constexpr forms::Rgb kRed = forms::kDarkRed;

// The last entry means "other": the value then comes from the text box below.
constexpr std::wstring_view kWidths[] = {L"145", L"155", L"165", L"175", L"185", L"195",
                                         L"205", L"215", L"225", L"235", L"inna"};
constexpr std::wstring_view kProfiles[] = {L"35", L"40", L"45", L"50", L"55", L"60",
                                           L"65", L"70", L"80", L"82", L"inny"};
constexpr std::wstring_view kRims[] = {L"13", L"14", L"15", L"16", L"17", L"18", L"19", L"20", L"inna"};

constexpr forms::ControlDesc kControls[] = {
    // {left, top, width, height} in twips; an enumerator's "_N" is element N of a control array
    // The size on the car now
    Label(Label1, {120, 1560, 3855, 255}, L"Wybierz aktualny rozmiar opony").In(kBold),
    Label(szerokosclabel2, {240, 2040, 1095, 255}, L"szerokość").CaptionOf(Combo1),
    Label(Label3, {1560, 2040, 1095, 255}, L"profil ").CaptionOf(Combo2),
    Label(Label4, {2880, 2040, 1335, 255}, L"srednica (cale)").CaptionOf(Combo3),
    ComboBox(Combo1, {240, 2280, 1095, 315}, L"135", kWidths),
    ComboBox(Combo2, {1560, 2280, 1095, 315}, L"30", kProfiles),
    ComboBox(Combo3, {2880, 2280, 1095, 315}, L"12", kRims),
    TextBox(Text1, {240, 2760, 1095, 285}).Pointing(Pointer::IBeam)
        .Spoken(L"szerokość – inna (aktualny rozmiar)"),
    TextBox(Text2, {1560, 2760, 1095, 285}).Pointing(Pointer::IBeam)
        .Spoken(L"profil – inny (aktualny rozmiar)"),
    TextBox(Text3, {2880, 2760, 1095, 285}).Pointing(Pointer::IBeam)
        .Spoken(L"średnica – inna (aktualny rozmiar)"),
    // The proposed size
    Label(Label2, {120, 3600, 3855, 255}, L"Wybierz nowy rozmiar opony").In(kBold),
    Label(Label5, {240, 4080, 1095, 255}, L"szerokość ").CaptionOf(Combo4),
    Label(Label6, {1560, 4080, 1095, 255}, L"profil").CaptionOf(Combo5),
    Label(Label7, {2880, 4080, 1335, 255}, L"srednica (cale)").CaptionOf(Combo6),
    ComboBox(Combo4, {240, 4320, 1095, 315}, L"135", kWidths),
    ComboBox(Combo5, {1560, 4320, 1095, 315}, L"30", kProfiles),
    ComboBox(Combo6, {2880, 4320, 1095, 315}, L"12", kRims),
    TextBox(Text4, {240, 4800, 1095, 285}).Pointing(Pointer::IBeam)
        .Spoken(L"szerokość – inna (nowy rozmiar)"),
    TextBox(Text5, {1560, 4800, 1095, 285}).Pointing(Pointer::IBeam)
        .Spoken(L"profil – inny (nowy rozmiar)"),
    TextBox(Text6, {2880, 4800, 1095, 285}).Pointing(Pointer::IBeam)
        .Spoken(L"średnica – inna (nowy rozmiar)"),
    // INFO: caption, result, unit
    Label(Label8, {5760, 1440, 735, 375}, L"INFO").In(kBold),
    Label(Label9, {4560, 1920, 2175, 495}, L"Średnica koła z aktualnym rozmiarem opony ").CaptionOf(srdnicaakt),
    TextBox(srdnicaakt, {6720, 1920, 870, 285}, L"0").In(kBold).Inked(kRed),
    Label(Label28_0, {7590, 2040, 375, 255}, L"mm"),
    Label(Label10, {4560, 2520, 2055, 450}, L"Srednica kola z nowym rozmiarem opony").CaptionOf(srednicanew),
    TextBox(srednicanew, {6720, 2520, 870, 285}, L"0").In(kBold).Inked(kRed),
    Label(Label28_2, {7590, 2640, 375, 255}, L"mm"),
    Label(Label11, {4560, 3120, 2055, 255}, L"Różnica średnicy kół ").CaptionOf(roznica),
    TextBox(roznica, {6720, 3120, 870, 285}, L"0").In(kBold).Inked(kRed),
    Label(Label28_1, {7590, 3240, 375, 255}, L"mm"),
    Label(blad, {4560, 3600, 2055, 255}, L"Błąd prędkościomierza  ").CaptionOf(procentbl),
    TextBox(procentbl, {6720, 3600, 870, 285}, L"0").In(kBold).Inked(kRed),
    Label(Label29, {7590, 3720, 255, 255}, L"%"),
    // Speed table: speedometer reading, unit, actual speed, unit
    Label(Label14, {4560, 4200, 2535, 375}, L"wskazanie prędkościomierza"),
    Label(Label13, {7080, 4200, 2535, 375}, L"rzeczywista prędkość:"),
    Label(Label15, {5040, 4560, 255, 255}, L"50").In(kBold),
    Label(Label27_0, {5400, 4560, 855, 255}, L"km/h"),
    Label(Label21_1, {7320, 4560, 660, 255}, L"50").In(kBold).Inked(kRed).Spoken(L"rzeczywista prędkość przy 50 km/h"),
    Label(Label27_4, {7980, 4560, 735, 255}, L"km/h"),
    Label(Label16, {5040, 4920, 255, 255}, L"60").In(kBold),
    Label(Label27_2, {5400, 4920, 855, 255}, L"km/h"),
    Label(Label22, {7320, 4920, 660, 255}, L"60").In(kBold).Inked(kRed).Spoken(L"rzeczywista prędkość przy 60 km/h"),
    Label(Label27_3, {7980, 4920, 735, 255}, L"km/h"),
    Label(Label17, {5040, 5280, 255, 255}, L"80").In(kBold),
    Label(Label27_1, {5400, 5280, 855, 255}, L"km/h"),
    Label(Label23, {7320, 5280, 660, 255}, L"80").In(kBold).Inked(kRed).Spoken(L"rzeczywista prędkość przy 80 km/h"),
    Label(Label27_10, {7980, 5280, 735, 255}, L"km/h"),
    Label(Label18, {5040, 5640, 255, 255}, L"90").In(kBold),
    Label(Label27_7, {5400, 5640, 855, 255}, L"km/h"),
    Label(Label24, {7320, 5640, 660, 255}, L"90").In(kBold).Inked(kRed).Spoken(L"rzeczywista prędkość przy 90 km/h"),
    Label(Label27_9, {7980, 5640, 735, 255}, L"km/h"),
    Label(Label19, {5040, 6000, 375, 255}, L"100").In(kBold),
    Label(Label27_6, {5520, 6000, 855, 255}, L"km/h"),
    Label(Label25, {7320, 6000, 660, 255}, L"100").In(kBold).Inked(kRed).Spoken(L"rzeczywista prędkość przy 100 km/h"),
    Label(Label27_8, {7980, 6000, 855, 255}, L"km/h"),
    Label(Label20, {5040, 6360, 375, 255}, L"150").In(kBold),
    Label(Label27_5, {5520, 6360, 855, 255}, L"km/h"),
    Label(Label26, {7320, 6360, 660, 255}, L"150").In(kBold).Inked(kRed).Spoken(L"rzeczywista prędkość przy 150 km/h"),
    Label(Label27_11, {7980, 6360, 855, 255}, L"km/h"),
    // Buttons
    Button(Przelicz, {120, 6960, 1335, 375}, L"Przelicz", Przelicz_Click).In(kBold).Pointing(Pointer::Busy),
    Button(Command2, {3600, 6960, 1335, 375}, L"O programie ...", Command2_Click).Pointing(Pointer::Busy),
    Button(Command3, {5280, 6960, 1335, 375}, L"Pomoc", Command3_Click).Pointing(Pointer::Busy),
    Button(Command1, {9000, 6960, 1335, 375}, L"Zakończ", Command1_Click).Pointing(Pointer::Busy),
    // The verdict, in the sand below the new size: its lines are written by "Przelicz".
    Label(Label30, {120, 5130, 3975, 255}, L"Ocena zamiennika").In(kBold),
    Label(Label31, {240, 5385, 3975, 255}, L""),
    Label(Label32, {240, 5655, 3975, 405}, L""),
    Label(Label33, {240, 6060, 3975, 405}, L""),
    Label(Label34, {240, 6525, 3975, 405}, L"Indeks nośności i prędkości nie niższy niż w dokumentach pojazdu."),
};
static_assert(IdsMatchRows(kControls, kControlCount));

constexpr int kTabOrder[] = {Przelicz, Combo1, Combo2, Combo3, Text1, Text2, Text3, Command1,
                             Combo4, Combo5, Combo6, Text4, Text5, Text6,
                             srdnicaakt, srednicanew, roznica, procentbl, Command2, Command3};

}  // namespace

const forms::FormDesc kForm1{
    L"Tarvex zamienników opon samochodowych v1.2 by ZELT", 10485, 7500, {IDB_CAR, 700}, Pointer::Arrow,
    kControls, kTabOrder, true};

void Command1_Click(forms::Controls& form) { form.program().End(); }

void Command2_Click(forms::Controls& form) { form.program().Form2().Show(); }

void Command3_Click(forms::Controls& form) { form.program().Form3().Show(); }

}  // namespace ui
