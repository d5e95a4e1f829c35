// The three windows as they open, written out here in full: every control, list and name.
#include <gtest/gtest.h>

#include <map>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "ui/about_window.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

namespace ui {
namespace {

using forms::Kind;
using forms::Pointer;
constexpr Kind L = Kind::Label, T = Kind::TextBox, C = Kind::ComboBox, B = Kind::Button;
constexpr forms::Font R{L"MS Sans Serif", 8.25, 400}, Bd{L"MS Sans Serif", 8.25, 700};
constexpr forms::Font Field{L"MS Sans Serif", 9.75, 700}, Title{L"MS Sans Serif", 12, 700};
constexpr bool Red = true, No = false;
constexpr Pointer IBeam = Pointer::IBeam, Busy = Pointer::Busy;

struct Row {
    int id; Kind kind; forms::Twips place; std::wstring_view text;
    forms::Font font = R; bool red = false; Pointer pointer = Pointer::System;
};
using List = std::vector<std::wstring_view>;
const List kWidths{L"145", L"155", L"165", L"175", L"185", L"195", L"205", L"215", L"225", L"235", L"inna"};
const List kProfiles{L"35", L"40", L"45", L"50", L"55", L"60", L"65", L"70", L"80", L"82", L"inny"};
const List kRims{L"13", L"14", L"15", L"16", L"17", L"18", L"19", L"20", L"inna"};
struct Window {
    const forms::FormDesc* form; std::wstring_view caption; int width, height, pictureWidth;
    Pointer pointer; bool endsProgram;
    std::vector<Row> rows;
    std::vector<int> tabOrder;
    std::vector<std::pair<int, int>> captionOf;  // label, the box it names
    std::vector<std::pair<int, std::wstring_view>> spoken;
    std::map<int, List> lists;
};

Window Main() {
    using namespace form1;
    return {&kForm1, L"Tarvex zamienników opon samochodowych v1.2 by ZELT", 10485, 7500, 700, Pointer::Arrow, true,
      {{Label1, L, {120, 1560, 3855, 255}, L"Wybierz aktualny rozmiar opony", Bd},
       {szerokosclabel2, L, {240, 2040, 1095, 255}, L"szerokość"}, {Label3, L, {1560, 2040, 1095, 255}, L"profil "},
       {Label4, L, {2880, 2040, 1335, 255}, L"srednica (cale)"}, {Combo1, C, {240, 2280, 1095, 315}, L"135"},
       {Combo2, C, {1560, 2280, 1095, 315}, L"30"}, {Combo3, C, {2880, 2280, 1095, 315}, L"12"},
       {Text1, T, {240, 2760, 1095, 285}, L"", R, No, IBeam}, {Text2, T, {1560, 2760, 1095, 285}, L"", R, No, IBeam},
       {Text3, T, {2880, 2760, 1095, 285}, L"", R, No, IBeam},
       {Label2, L, {120, 3600, 3855, 255}, L"Wybierz nowy rozmiar opony", Bd},
       {Label5, L, {240, 4080, 1095, 255}, L"szerokość "}, {Label6, L, {1560, 4080, 1095, 255}, L"profil"},
       {Label7, L, {2880, 4080, 1335, 255}, L"srednica (cale)"}, {Combo4, C, {240, 4320, 1095, 315}, L"135"},
       {Combo5, C, {1560, 4320, 1095, 315}, L"30"}, {Combo6, C, {2880, 4320, 1095, 315}, L"12"},
       {Text4, T, {240, 4800, 1095, 285}, L"", R, No, IBeam}, {Text5, T, {1560, 4800, 1095, 285}, L"", R, No, IBeam},
       {Text6, T, {2880, 4800, 1095, 285}, L"", R, No, IBeam}, {Label8, L, {5760, 1440, 735, 375}, L"INFO", Bd},
       {Label9, L, {4560, 1920, 2175, 495}, L"Średnica koła z aktualnym rozmiarem opony "},
       {srdnicaakt, T, {6720, 1920, 870, 285}, L"0", Bd, Red}, {Label28_0, L, {7590, 2040, 375, 255}, L"mm"},
       {Label10, L, {4560, 2520, 2055, 450}, L"Srednica kola z nowym rozmiarem opony"},
       {srednicanew, T, {6720, 2520, 870, 285}, L"0", Bd, Red}, {Label28_2, L, {7590, 2640, 375, 255}, L"mm"},
       {Label11, L, {4560, 3120, 2055, 255}, L"Różnica średnicy kół "},
       {roznica, T, {6720, 3120, 870, 285}, L"0", Bd, Red}, {Label28_1, L, {7590, 3240, 375, 255}, L"mm"},
       {blad, L, {4560, 3600, 2055, 255}, L"Błąd prędkościomierza  "},
       {procentbl, T, {6720, 3600, 870, 285}, L"0", Bd, Red}, {Label29, L, {7590, 3720, 255, 255}, L"%"},
       {Label14, L, {4560, 4200, 2535, 375}, L"wskazanie prędkościomierza"},
       {Label13, L, {7080, 4200, 2535, 375}, L"rzeczywista prędkość:"},
       {Label15, L, {5040, 4560, 255, 255}, L"50", Bd}, {Label27_0, L, {5400, 4560, 855, 255}, L"km/h"},
       {Label21_1, L, {7320, 4560, 660, 255}, L"50", Bd, Red}, {Label27_4, L, {7980, 4560, 735, 255}, L"km/h"},
       {Label16, L, {5040, 4920, 255, 255}, L"60", Bd}, {Label27_2, L, {5400, 4920, 855, 255}, L"km/h"},
       {Label22, L, {7320, 4920, 660, 255}, L"60", Bd, Red}, {Label27_3, L, {7980, 4920, 735, 255}, L"km/h"},
       {Label17, L, {5040, 5280, 255, 255}, L"80", Bd}, {Label27_1, L, {5400, 5280, 855, 255}, L"km/h"},
       {Label23, L, {7320, 5280, 660, 255}, L"80", Bd, Red}, {Label27_10, L, {7980, 5280, 735, 255}, L"km/h"},
       {Label18, L, {5040, 5640, 255, 255}, L"90", Bd}, {Label27_7, L, {5400, 5640, 855, 255}, L"km/h"},
       {Label24, L, {7320, 5640, 660, 255}, L"90", Bd, Red}, {Label27_9, L, {7980, 5640, 735, 255}, L"km/h"},
       {Label19, L, {5040, 6000, 375, 255}, L"100", Bd}, {Label27_6, L, {5520, 6000, 855, 255}, L"km/h"},
       {Label25, L, {7320, 6000, 660, 255}, L"100", Bd, Red}, {Label27_8, L, {7980, 6000, 855, 255}, L"km/h"},
       {Label20, L, {5040, 6360, 375, 255}, L"150", Bd}, {Label27_5, L, {5520, 6360, 855, 255}, L"km/h"},
       {Label26, L, {7320, 6360, 660, 255}, L"150", Bd, Red}, {Label27_11, L, {7980, 6360, 855, 255}, L"km/h"},
       {Przelicz, B, {120, 6960, 1335, 375}, L"Przelicz", Bd, No, Busy},
       {Command2, B, {3600, 6960, 1335, 375}, L"O programie ...", R, No, Busy},
       {Command3, B, {5280, 6960, 1335, 375}, L"Pomoc", R, No, Busy},
       {Command1, B, {9000, 6960, 1335, 375}, L"Zakończ", R, No, Busy},
       {Label30, L, {120, 5130, 3975, 255}, L"Ocena zamiennika", Bd}, {Label31, L, {240, 5385, 3975, 255}, L""},
       {Label32, L, {240, 5655, 3975, 405}, L""}, {Label33, L, {240, 6060, 3975, 405}, L""},
       {Label34, L, {240, 6525, 3975, 405}, L"Indeks nośności i prędkości nie niższy niż w dokumentach pojazdu."}},
      {Przelicz, Combo1, Combo2, Combo3, Text1, Text2, Text3, Command1, Combo4, Combo5, Combo6, Text4, Text5, Text6,
       srdnicaakt, srednicanew, roznica, procentbl, Command2, Command3},
      {{szerokosclabel2, Combo1}, {Label3, Combo2}, {Label4, Combo3}, {Label5, Combo4}, {Label6, Combo5},
       {Label7, Combo6}, {Label9, srdnicaakt}, {Label10, srednicanew}, {Label11, roznica}, {blad, procentbl}},
      {{Text1, L"szerokość – inna (aktualny rozmiar)"}, {Text2, L"profil – inny (aktualny rozmiar)"},
       {Text3, L"średnica – inna (aktualny rozmiar)"}, {Text4, L"szerokość – inna (nowy rozmiar)"},
       {Text5, L"profil – inny (nowy rozmiar)"}, {Text6, L"średnica – inna (nowy rozmiar)"},
       {Label21_1, L"rzeczywista prędkość przy 50 km/h"}, {Label22, L"rzeczywista prędkość przy 60 km/h"},
       {Label23, L"rzeczywista prędkość przy 80 km/h"}, {Label24, L"rzeczywista prędkość przy 90 km/h"},
       {Label25, L"rzeczywista prędkość przy 100 km/h"}, {Label26, L"rzeczywista prędkość przy 150 km/h"}},
      {{Combo1, kWidths}, {Combo2, kProfiles}, {Combo3, kRims}, {Combo4, kWidths}, {Combo5, kProfiles}, {Combo6, kRims}}};
}

Window About() {
    using namespace form2;
    return {&kForm2, L"O programie ...", 5700, 3885, 380, Pointer::System, false,
      {{Label1, L, {120, 600, 3615, 615}, L"Tarvex zamienników opon samochodowych", Title},
       {Label2, L, {360, 1440, 1095, 255}, L"Wersja: ", Field}, {Label5, L, {1320, 1440, 495, 255}, L"1.2", Field, Red},
       {Label6, L, {360, 1920, 855, 255}, L"Status: ", Field}, {Label10, L, {1320, 1920, 1095, 255}, L"Freeware", Field, Red},
       {Label3, L, {360, 2400, 615, 255}, L"Autor: ", Field}, {Label7, L, {1320, 2400, 2295, 255}, L"ZELT", Field, Red},
       {Label4, L, {360, 2880, 1095, 255}, L"Kontakt: ", Field},
       {Label8, L, {1320, 2880, 1815, 255}, L"zelt@zelt.test", Field, Red},
       {Label9, L, {1320, 3240, 2295, 255}, L"www.zelt.test", Field, Red},
       {Command201, B, {4320, 3240, 1095, 375}, L"Zamknij"}},
      {Command201}, {}, {}, {}};
}

Window Help() {
    using namespace form3;
    return {&kForm3, L"Pomoc ", 8250, 5730, 550, Pointer::System, false,
      {{Label1_1, L, {360, 720, 3615, 615}, L"Tarvex zamienników opon samochodowych", Title},
       {Label2, L, {360, 1560, 2055, 375}, L"O co chodzi ?", Bd},
       {Label3, L, {360, 1920, 7215, 1335},
        L"Program pomaga dobrać właściwy rozmiar ogumienia do samochodu tak aby zachować średnice koła jak "
        L"najbardziej zbliżoną do fabrycznego rozmiaru kół w samochodzie. W przypadku gdy idealne dobranie "
        L"rozmiaru nowych opon jest niemożliwe program pokazuje błąd jaki bedzie wskazywał prędkościmierz przy "
        L"używaniu opon w podanym rozmiarze. "},
       {Label1_0, L, {360, 3000, 2655, 375}, L"Jak korzystać z programu ?", Bd},
       {Label4, L, {360, 3360, 7815, 1935},
        L"1. Wybierz rozmiar opon jaki aktualnie używasz lub rozmiar jaki fabrycznie jest stosowany w      \r\n"
        L"     twoim samochodzie\r\n"
        L"2. Wybierz rozmiar opon, ktore chcesz założyć do samochodu\r\n"
        L"3. Nacisnij przycisk \"Przelicz\" \r\n"
        L"4. Po prawej stonie okna w sekcji INFO otrzymasz informacje na temat średnicy obydwu kół,   \r\n"
        L"    ewentualną rożnice w średnicy kół, procent błedu pokazywany przed prędkościomierz oraz \r\n"
        L"    tabelę pokazującą  błąd prędkościmierza w km/h   \r\n"},
       {Command301, B, {6480, 5040, 1455, 375}, L"Zamknij "}},
      {Command301}, {}, {}, {}};
}

TEST(Tables, EveryWindowAsItOpens) {
    for (const Window& w : {Main(), About(), Help()}) {
        const forms::FormDesc& f = *w.form;
        SCOPED_TRACE(testing::Message() << "window " << f.clientWidth);
        EXPECT_EQ(std::tuple(f.caption, f.clientWidth, f.clientHeight, f.picture.widthAt96, f.pointer, f.closeEndsProgram),
                  std::tuple(w.caption, w.width, w.height, w.pictureWidth, w.pointer, w.endsProgram));
        EXPECT_EQ(std::vector<int>(f.tabOrder.begin(), f.tabOrder.end()), w.tabOrder);
        ASSERT_EQ(f.controls.size(), w.rows.size());
        std::vector<std::pair<int, int>> captionOf;
        std::vector<std::pair<int, std::wstring_view>> spoken;
        for (const forms::ControlDesc& c : f.controls) {
            if (c.captionOf != -1) captionOf.emplace_back(c.id, c.captionOf);
            if (!c.spokenName.empty()) spoken.emplace_back(c.id, c.spokenName);
        }
        EXPECT_EQ(captionOf, w.captionOf);
        EXPECT_EQ(spoken, w.spoken);
        for (const Row& r : w.rows) {
            const forms::ControlDesc& c = f.controls[static_cast<size_t>(r.id)];
            const int ink = c.ink ? c.ink->r << 16 | c.ink->g << 8 | c.ink->b : -1;
            EXPECT_EQ(std::tuple(c.kind, c.place.left, c.place.top, c.place.width, c.place.height, c.text, c.pointer),
                      std::tuple(r.kind, r.place.left, r.place.top, r.place.width, r.place.height, r.text, r.pointer))
                << "control " << r.id;
            EXPECT_EQ(std::tuple(c.font.face, c.font.points, c.font.weight, ink, List(c.list.begin(), c.list.end())),
                      std::tuple(r.font.face, r.font.points, r.font.weight, r.red ? 0x800000 : -1,
                                 w.lists.contains(r.id) ? w.lists.at(r.id) : List{}))
                << "control " << r.id;
        }
    }
}

}  // namespace
}  // namespace ui
