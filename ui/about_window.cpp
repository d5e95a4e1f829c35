#include "ui/about_window.h"

#include "assets/resource_ids.h"
#include "design/form_api.h"
#include "ui/check.h"

namespace ui {
namespace {

using namespace form2;
using forms::Button;
using forms::Label;
using forms::Pointer;

constexpr forms::Font kTitle{L"MS Sans Serif", 12, 700};
constexpr forms::Font kField{L"MS Sans Serif", 9.75, 700};
constexpr forms::Rgb kRed = forms::kDarkRed;

constexpr forms::ControlDesc kControls[] = {
    // {left, top, width, height} in twips
    Label(Label1, {120, 600, 3615, 615}, L"Tarvex zamienników opon samochodowych").In(kTitle),
    Label(Label2, {360, 1440, 1095, 255}, L"Wersja: ").In(kField),
    Label(Label5, {1320, 1440, 495, 255}, L"1.2").In(kField).Inked(kRed),
    Label(Label6, {360, 1920, 855, 255}, L"Status: ").In(kField),
    Label(Label10, {1320, 1920, 1095, 255}, L"Freeware").In(kField).Inked(kRed),
    Label(Label3, {360, 2400, 615, 255}, L"Autor: ").In(kField),
    Label(Label7, {1320, 2400, 2295, 255}, L"ZELT").In(kField).Inked(kRed),
    Label(Label4, {360, 2880, 1095, 255}, L"Kontakt: ").In(kField),
    Label(Label8, {1320, 2880, 1815, 255}, L"zelt@zelt.test").In(kField).Inked(kRed),
    Label(Label9, {1320, 3240, 2295, 255}, L"www.zelt.test").In(kField).Inked(kRed),
    Button(Command201, {4320, 3240, 1095, 375}, L"Zamknij", Command201_Click),
};
static_assert(IdsMatchRows(kControls, kControlCount));

constexpr int kTabOrder[] = {Command201};

}  // namespace

const forms::FormDesc kForm2{L"O programie ...", 5700, 3885, {IDB_CAR, 380}, Pointer::System,
                           kControls, kTabOrder, false};

void Command201_Click(forms::Controls& form) { form.program().Form2().Hide(); }

}  // namespace ui
