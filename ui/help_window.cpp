#include "ui/help_window.h"

#include "assets/resource_ids.h"
#include "design/form_api.h"
#include "ui/check.h"

namespace ui {
namespace {

using namespace form3;
using forms::Button;
using forms::Label;
using forms::Pointer;

constexpr forms::Font kTitle{L"MS Sans Serif", 12, 700};
constexpr forms::Font kHeading = forms::kDialogFontBold;

constexpr std::wstring_view kPurpose =
    L"Program pomaga dobrać właściwy rozmiar ogumienia do samochodu tak aby zachować średnice koła jak "
    L"najbardziej zbliżoną do fabrycznego rozmiaru kół w samochodzie. W przypadku gdy idealne dobranie "
    L"rozmiaru nowych opon jest niemożliwe program pokazuje błąd jaki bedzie wskazywał prędkościmierz przy "
    L"używaniu opon w podanym rozmiarze. ";

// Seven lines, each ending in CR LF; the spaces at both ends of the lines are part of it.
constexpr std::wstring_view kUsage =
    L"1. Wybierz rozmiar opon jaki aktualnie używasz lub rozmiar jaki fabrycznie jest stosowany w      \r\n"
    L"     twoim samochodzie\r\n"
    L"2. Wybierz rozmiar opon, ktore chcesz założyć do samochodu\r\n"
    L"3. Nacisnij przycisk \"Przelicz\" \r\n"
    L"4. Po prawej stonie okna w sekcji INFO otrzymasz informacje na temat średnicy obydwu kół,   \r\n"
    L"    ewentualną rożnice w średnicy kół, procent błedu pokazywany przed prędkościomierz oraz \r\n"
    L"    tabelę pokazującą  błąd prędkościmierza w km/h   \r\n";

constexpr forms::ControlDesc kControls[] = {
    // {left, top, width, height} in twips
    Label(Label1_1, {360, 720, 3615, 615}, L"Tarvex zamienników opon samochodowych").In(kTitle),
    Label(Label2, {360, 1560, 2055, 375}, L"O co chodzi ?").In(kHeading),
    Label(Label3, {360, 1920, 7215, 1335}, kPurpose),
    Label(Label1_0, {360, 3000, 2655, 375}, L"Jak korzystać z programu ?").In(kHeading),
    Label(Label4, {360, 3360, 7815, 1935}, kUsage),
    Button(Command301, {6480, 5040, 1455, 375}, L"Zamknij ", Command301_Click),
};
static_assert(IdsMatchRows(kControls, kControlCount));

constexpr int kTabOrder[] = {Command301};

}  // namespace

const forms::FormDesc kForm3{L"Pomoc ", 8250, 5730, {IDB_CAR, 550}, Pointer::System, kControls, kTabOrder, false};

void Command301_Click(forms::Controls& form) { form.program().Form3().Hide(); }

}  // namespace ui
