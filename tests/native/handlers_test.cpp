// The click handlers on a stand-in window and program.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "design/errors.h"
#include "ui/about_window.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

namespace ui {
namespace {

using namespace form1;

// The window references and the program's end; every call logged.
struct FakeProgram final : forms::ProgramHandle {
    struct Handle final : forms::FormHandle {
        Handle(std::vector<std::string>& l, const char* n) : log(l), name(n) {}
        std::vector<std::string>& log;
        std::string name;
        void Show() override { log.push_back(name + ".Show"); }
        void Hide() override { log.push_back(name + ".Hide"); }
    };
    std::vector<std::string> log;
    Handle form1{log, "Form1"}, form2{log, "Form2"}, form3{log, "Form3"};
    std::wstring separator = L".";
    forms::FormHandle& Form1() override { return form1; }
    forms::FormHandle& Form2() override { return form2; }
    forms::FormHandle& Form3() override { return form3; }
    void End() override { log.push_back("End"); }
    std::wstring DecimalSeparator() const override { return separator; }
};

// Controls by id: box texts, combos with the table's lists, and every write in order. A box in
// readBack gives that text whatever was written to it.
struct FakeWindow final : forms::Controls {
    struct Combo { std::vector<std::wstring> list; std::int16_t index = -1; std::wstring field = L"888"; };
    FakeProgram& owner;
    std::map<int, std::wstring> texts, readBack;
    std::map<int, Combo> combos;
    std::vector<std::pair<int, std::wstring>> writes;

    explicit FakeWindow(FakeProgram& p) : owner(p) {
        for (int id : {Combo1, Combo2, Combo3, Combo4, Combo5, Combo6})
            combos[id].list.assign(kForm1.controls[size_t(id)].list.begin(), kForm1.controls[size_t(id)].list.end());
        for (int id : {Text1, Text2, Text3, Text4, Text5, Text6}) texts[id] = L"999";  // not to be read unless "inna"
    }
    std::wstring Text(int id) const override {
        return readBack.contains(id) ? readBack.at(id) : combos.contains(id) ? combos.at(id).field : texts.at(id);
    }
    void SetText(int id, std::wstring_view text) override {
        writes.emplace_back(id, text);
        texts[id] = text;
    }
    std::int16_t ListIndex(int id) const override { return combos.at(id).index; }
    std::int16_t ListCount(int id) const override { return std::int16_t(combos.at(id).list.size()); }
    std::wstring List(int id, int index) const override {
        const Combo& c = combos.at(id);
        if (index < -1 || index >= static_cast<int>(c.list.size())) throw forms::BadListIndex();
        return index == -1 ? c.field : c.list[static_cast<size_t>(index)];
    }
    void SetInk(int, forms::Rgb) override {}  // the verdict's colour: its own test
    forms::ProgramHandle& program() const override { return owner; }

    // Per selector, Combo1 to Combo6: "195" that entry chosen; "*195" the last entry chosen and
    // 195 typed in the box below; "~195" nothing chosen and 195 typed in the field; "#9" index 9.
    void Choose(const std::vector<std::wstring>& six) {
        const int selectors[][2] = {{Combo1, Text1}, {Combo2, Text2}, {Combo3, Text3},
                                    {Combo4, Text4}, {Combo5, Text5}, {Combo6, Text6}};
        for (size_t i = 0; i < 6; ++i) {
            Combo& c = combos.at(selectors[i][0]);
            const std::wstring& s = six[i];
            if (s[0] == L'*') c.index = std::int16_t(c.list.size() - 1), texts[selectors[i][1]] = s.substr(1);
            else if (s[0] == L'~') c.index = -1, c.field = s.substr(1);
            else if (s[0] == L'#') c.index = std::int16_t(std::stoi(s.substr(1)));
            else c.index = std::int16_t(std::ranges::find(c.list, s) - c.list.begin());
        }
    }
};

const std::vector<std::wstring> kReference{L"195", L"65", L"15", L"205", L"55", L"16"};
const std::wstring kReferenceShown = L"634.5|631.9|-2.6|0.41|49.8|59.75|79.67|89.63|99.59|149.39";

// The results written before an error, then the rest emptied: ten in all.
std::wstring ThenEmptied(std::wstring shown) {
    for (auto bars = std::ranges::count(shown, L'|'); bars < 9; ++bars) shown += L'|';
    return shown;
}

// The six sizes as chosen, the ten results as shown ("|" between), the error and its detail.
struct Click {
    std::vector<std::wstring> sizes;
    std::wstring shown;
    int error = 0;
    std::wstring detail = {};  // checked when the case gives one
    std::wstring separator = L".";
    std::map<int, std::wstring> readBack = {};
};

// Every result is written once, in order; the verdict's three lines last, emptied after a report.
void ExpectClick(const Click& c, FakeWindow* prepared = nullptr) {
    FakeProgram program;
    program.separator = c.separator;
    FakeWindow own(program), &window = prepared ? *prepared : own;
    if (!prepared) window.Choose(c.sizes);
    window.readBack = c.readBack;
    calc::RuntimeError error{0, {}};
    try {
        Przelicz_Click(window);
    } catch (const calc::RuntimeError& e) {
        error = e;
    }
    const std::string name = testing::PrintToString(c.sizes);
    std::vector<int> ids;
    std::wstring shown;
    for (const auto& [id, text] : window.writes) {
        ids.push_back(id);
        if (id >= Label31) EXPECT_EQ(text.empty(), c.error != 0) << name;
        else shown += (id == srdnicaakt ? L"" : L"|") + text;
    }
    EXPECT_EQ(ids, (std::vector<int>{srdnicaakt, srednicanew, roznica, procentbl, Label21_1, Label22, Label23, Label24,
                                     Label25, Label26, Label31, Label32, Label33}))
        << name;
    EXPECT_EQ(shown, c.shown) << name;
    EXPECT_EQ(error.number, c.error) << name;
    EXPECT_TRUE(c.detail.empty() || error.detail == c.detail) << name << ": " << testing::PrintToString(error.detail);
}

const std::wstring kCurrentZero = L"Pole: Średnica koła z aktualnym rozmiarem opony\nWartość: 0";
const std::wstring kAccepts = L"\nWpisz liczbę całkowitą, same cyfry (np. 16), bez kropki, przecinka i jednostek.";
const std::wstring kSameWheel = L"|0|0|50|60|80|90|100|150";

TEST(PrzeliczClick, WritesEachResultInOrderOrStopsAtTheErrorEmptyingTheRest) {
    const Click cases[] = {
        {kReference, kReferenceShown},
        {{L"*195", L"*65", L"*15", L"*205", L"*55", L"*16"}, kReferenceShown},  // typed in the boxes
        {{L"~195", L"~65", L"~15", L"~205", L"~55", L"~16"}, kReferenceShown},  // nothing chosen: the fields
        {{L"195", L"65", L"*15", L"205", L"55", L"16"}, L"634,5|631,9|-2,6|0,41|49,8|59,75|79,67|89,63|99,59|149,39", 0, {},
         L","},
        // The new diameter read back from its box as 0.
        {kReference, L"634.5|631.9|-2.6|-0.41|49.8|59.75|79.67|89.63|99.59|149.39", 0, {}, L".", {{srednicanew, L"0"}}},
        {{L"195", L"65", L"15", L"195", L"65", L"15"}, L"634.5|634.5" + kSameWheel},
        // 999 x 300/50 + 99 x 25.4 = 8508.6: the largest wheel, whole in its box.
        {{L"*999", L"*300", L"*99", L"~999", L"~300", L"~99"}, L"8508.6|8508.6" + kSameWheel},
        {{L"195", L"65", L"15", L"*0", L"55", L"*0"}, L"634.5|0|-634.5|-100|0|0|0|0|0|0"},
        {{L"*0", L"65", L"*0", L"205", L"55", L"16"}, ThenEmptied(L"0|631.9|631.9|-100"), 11, kCurrentZero},
        {{L"*0", L"65", L"*0", L"*0", L"55", L"*0"}, ThenEmptied(L"0|0|0"), 6, kCurrentZero},
        {{L"*40000", L"65", L"15", L"205", L"55", L"16"}, ThenEmptied(L""), 6,
         L"Pole: Szerokość aktualnej opony\nWpisano: „40000”\nDozwolone są liczby całkowite od 0 do 999."},
        {{L"195", L"65", L"15", L"*1000", L"55", L"16"}, ThenEmptied(L"634.5"), 6,
         L"Pole: Szerokość nowej opony\nWpisano: „1000”\nDozwolone są liczby całkowite od 0 do 999."},
        {{L"195", L"65", L"15", L"205", L"~301", L"16"}, ThenEmptied(L"634.5"), 6},
        {{L"195", L"65", L"15", L"205", L"55", L"*-1"}, ThenEmptied(L"634.5"), 6,
         L"Pole: Średnica felgi nowej opony\nWpisano: „-1”\nDozwolone są liczby całkowite od 0 do 99."},
        {{L"#32767", L"65", L"15", L"205", L"55", L"16"}, ThenEmptied(L""), 6,
         L"Pole: Szerokość aktualnej opony\nPozycja na liście: 32767"},
        // Index 11 of 11: the list's own error.
        {{L"195", L"65", L"15", L"#11", L"55", L"16"}, ThenEmptied(L"634.5"), 381, L"Pole: Szerokość nowej opony"},
        // 999 x 299/50 + 2514.6 = 8488.62 against 385.8: a difference of -8102.82, one character too many.
        {{L"*999", L"*299", L"*99", L"~135", L"~30", L"~12"}, ThenEmptied(L"8488.62|385.8"), 6,
         L"Pole: Różnica średnicy kół\nWynik: -8102.82 – nie mieści się w polu."},
        // A wheel 0.02 mm across: 631.9 / 0.02 x 50 = 1579750 km/h.
        {{L"*1", L"*1", L"*0", L"205", L"55", L"16"}, ThenEmptied(L"0.02|631.9|631.88|-100"), 6,
         L"Pole: Rzeczywista prędkość przy 50 km/h\nWynik: 1579750 – nie mieści się w polu."},
    };
    for (const Click& c : cases) ExpectClick(c);
}

// Only a plain whole number is taken, from a box or a combo's field; anything else is refused
// with the field, the text quoted and what is accepted, the results emptied.
TEST(PrzeliczClick, TakesOnlyAPlainWholeNumberTyped) {
    for (const std::wstring accepted : {L"15", L" 15 ", L"\t+15\t", L"015", L"+0015"}) {
        ExpectClick({{L"195", L"65", L"*" + accepted, L"205", L"55", L"16"}, kReferenceShown});
        ExpectClick({{L"195", L"65", L"~" + accepted, L"205", L"55", L"16"}, kReferenceShown});
    }
    for (const std::wstring refused : {L"15.5", L"15,5", L"14.5", L"", L" ", L"abc", L"55%", L"15 cali", L"&H10", L"1e1",
                                       L"-", L"+", L".", L"-.5e", L"1 5", L"- 15", L"0x10", L"\xFF11\xFF15", L"\x0661\x0665",
                                       L"\xD800", L"15\n"}) {
        ExpectClick({{L"195", L"65", L"*" + refused, L"205", L"55", L"16"}, ThenEmptied(L""), 13});
        ExpectClick({{L"195", L"65", L"15", L"205", L"55", L"~" + refused}, ThenEmptied(L"634.5"), 13});
    }
    ExpectClick({{L"*" + std::wstring(1 << 20, L'9'), L"65", L"15", L"205", L"55", L"16"}, ThenEmptied(L""), 6});
    ExpectClick({{L"195", L"65", L"*15.5", L"205", L"55", L"16"}, ThenEmptied(L""), 13,
                 L"Pole: Średnica felgi aktualnej opony\nWpisano: „15.5”" + kAccepts});
    ExpectClick({{L"*", L"65", L"15", L"205", L"55", L"16"}, ThenEmptied(L""), 13,
                 L"Pole: Szerokość aktualnej opony\nWpisano: nic (puste pole)" + kAccepts});
    ExpectClick({{L"195", L"65", L"15", L"205", L"*" + std::wstring(50, L'x'), L"16"}, ThenEmptied(L"634.5"), 13,
                 L"Pole: Profil nowej opony\nWpisano: „" + std::wstring(40, L'x') + L"…”" + kAccepts});
}

// The last position sends the reading to the box, whatever the entries' words; a word at
// another position is read, and refused.
TEST(PrzeliczClick, LastPositionNotTheWordTakesTheBox) {
    FakeProgram program;
    FakeWindow window(program);
    window.Choose(kReference);
    window.combos[Combo1] = {{L"inna", L"195", L"205"}, 2};
    window.texts[Text1] = L"195";
    window.combos[Combo5] = {{L"inny", L"55", L"65"}, 0};
    ExpectClick({{}, ThenEmptied(L"634.5"), 13, L"Pole: Profil nowej opony\nWpisano: „inny”" + kAccepts}, &window);
}

TEST(ButtonClicks, DoTheirOneThingAndNothingElse) {
    const std::pair<void (*)(forms::Controls&), std::string> cases[] = {
        {Command1_Click, "End"},          {Command2_Click, "Form2.Show"},   {Command3_Click, "Form3.Show"},
        {Command201_Click, "Form2.Hide"}, {Command301_Click, "Form3.Hide"},
    };
    for (const auto& [handler, call] : cases) {
        FakeProgram program;
        FakeWindow window(program);
        handler(window);
        EXPECT_EQ(program.log, std::vector{call});
        EXPECT_TRUE(window.writes.empty());
    }
}

}  // namespace
}  // namespace ui
