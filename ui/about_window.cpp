#include "ui/about_window.h"

#include "app/program.h"
#include "assets/resource_ids.h"
#include "ui/check.h"

namespace ui {
namespace {

using namespace form2;
using app::Kind;
using app::Pointer;

constexpr app::Font kTitle{L"MS Sans Serif", 12, 700};
constexpr app::Font kField{L"MS Sans Serif", 9.75, 700};
constexpr auto kInk = app::kSystemInk;
constexpr auto kRed = app::kDarkRed;

constexpr app::ControlDesc kControls[] = {
    // id, kind, name, element, {left, top, width, height}, text, font, ink, pointer, list, click
    {Label1, Kind::Label, L"Label1", -1, {120, 600, 3615, 615}, L"Tarvex zamienników opon samochodowych", kTitle},
    {Label2, Kind::Label, L"Label2", -1, {360, 1440, 1095, 255}, L"Wersja: ", kField},
    {Label5, Kind::Label, L"Label5", -1, {1320, 1440, 495, 255}, L"1.2", kField, kRed},
    {Label6, Kind::Label, L"Label6", -1, {360, 1920, 855, 255}, L"Status: ", kField},
    {Label10, Kind::Label, L"Label10", -1, {1320, 1920, 1095, 255}, L"Freeware", kField, kRed},
    {Label3, Kind::Label, L"Label3", -1, {360, 2400, 615, 255}, L"Autor: ", kField},
    {Label7, Kind::Label, L"Label7", -1, {1320, 2400, 2295, 255}, L"ZELT", kField, kRed},
    {Label4, Kind::Label, L"Label4", -1, {360, 2880, 1095, 255}, L"Kontakt: ", kField},
    {Label8, Kind::Label, L"Label8", -1, {1320, 2880, 1815, 255}, L"zelt@zelt.test", kField, kRed},
    {Label9, Kind::Label, L"Label9", -1, {1320, 3240, 2295, 255}, L"www.zelt.test", kField, kRed},
    {Command201, Kind::Button, L"Command201", -1, {4320, 3240, 1095, 375}, L"Zamknij", app::kDialogFont, kInk,
     Pointer::System, {}, Command201_Click},
};
static_assert(IdsMatchRows(kControls, kControlCount));

constexpr int kTabOrder[] = {Command201};

}  // namespace

const app::FormDesc kForm2{L"Form2", L"O programie ...", 5700, 3885, IDP_ABOUT, Pointer::System,
                           kControls, kTabOrder, false};

void Command201_Click(app::Form& form) { form.program().Form2->Hide(); }

}  // namespace ui
