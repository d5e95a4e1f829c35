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
using Writes = std::vector<std::pair<int, std::wstring>>;

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
    Writes writes;

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
const Writes kReferenceWrites{{srdnicaakt, L"634.5"}, {srednicanew, L"631.9"}, {roznica, L"-2.6"}, {procentbl, L"0.41"},
                              {Label21_1, L"49.8"},    {Label22, L"59.75"},     {Label23, L"79.67"}, {Label24, L"89.63"},
                              {Label25, L"99.59"},     {Label26, L"149.39"}};

// The writes before an error, then every result not yet written emptied, in the order written.
Writes ThenEmptied(Writes before) {
    const int all[] = {srdnicaakt, srednicanew, roznica, procentbl, Label21_1, Label22, Label23, Label24, Label25, Label26};
    for (size_t i = before.size(); i < std::size(all); ++i) before.emplace_back(all[i], L"");
    return before;
}

struct Click {
    const char* name;
    std::vector<std::wstring> sizes;
    Writes writes;
    int error = 0;
    std::wstring detail = {};  // checked when the case gives one
    std::wstring separator = L".";
    std::map<int, std::wstring> readBack = {};
};

void ExpectClick(const Click& c) {
    FakeProgram program;
    program.separator = c.separator;
    FakeWindow window(program);
    window.Choose(c.sizes);
    window.readBack = c.readBack;
    calc::RuntimeError error{0, {}};
    try {
        Przelicz_Click(window);
    } catch (const calc::RuntimeError& e) {
        error = e;
    }
    // The verdict's lines, written last: three lines after a good click, emptied after a report.
    Writes results, verdict;
    for (const auto& w : window.writes) (w.first >= Label31 && w.first <= Label33 ? verdict : results).push_back(w);
    EXPECT_EQ(results, c.writes) << c.name;
    EXPECT_EQ(verdict.size(), 3u) << c.name;
    for (const auto& [id, line] : verdict) EXPECT_EQ(line.empty(), c.error != 0) << c.name;
    EXPECT_EQ(error.number, c.error) << c.name;
    EXPECT_TRUE(c.detail.empty() || error.detail == c.detail) << c.name << ": " << testing::PrintToString(error.detail);
}

const std::wstring kCurrentZero = L"Pole: Średnica koła z aktualnym rozmiarem opony\nWartość: 0";

TEST(PrzeliczClick, WritesEachResultInOrderOrStopsAtTheErrorEmptyingTheRest) {
    const Click cases[] = {
        {"reference pair", kReference, kReferenceWrites},
        {"typed in the boxes", {L"*195", L"*65", L"*15", L"*205", L"*55", L"*16"}, kReferenceWrites},
        {"nothing chosen: the fields", {L"~195", L"~65", L"~15", L"~205", L"~55", L"~16"}, kReferenceWrites},
        {"decimal comma", {L"195", L"65", L"*15", L"205", L"55", L"16"},
         {{srdnicaakt, L"634,5"}, {srednicanew, L"631,9"}, {roznica, L"-2,6"}, {procentbl, L"0,41"}, {Label21_1, L"49,8"},
          {Label22, L"59,75"}, {Label23, L"79,67"}, {Label24, L"89,63"}, {Label25, L"99,59"}, {Label26, L"149,39"}}, 0, {}, L","},
        {"new diameter read back as 0", kReference,
         {{srdnicaakt, L"634.5"}, {srednicanew, L"631.9"}, {roznica, L"-2.6"}, {procentbl, L"-0.41"}, {Label21_1, L"49.8"},
          {Label22, L"59.75"}, {Label23, L"79.67"}, {Label24, L"89.63"}, {Label25, L"99.59"}, {Label26, L"149.39"}},
         0, {}, L".", {{srednicanew, L"0"}}},
        {"same wheel", {L"195", L"65", L"15", L"195", L"65", L"15"},
         {{srdnicaakt, L"634.5"}, {srednicanew, L"634.5"}, {roznica, L"0"}, {procentbl, L"0"}, {Label21_1, L"50"},
          {Label22, L"60"}, {Label23, L"80"}, {Label24, L"90"}, {Label25, L"100"}, {Label26, L"150"}}},
        // 999 x 300/50 + 99 x 25.4 = 8508.6: the largest wheel, whole in its box.
        {"largest values", {L"*999", L"*300", L"*99", L"~999", L"~300", L"~99"},
         {{srdnicaakt, L"8508.6"}, {srednicanew, L"8508.6"}, {roznica, L"0"}, {procentbl, L"0"}, {Label21_1, L"50"},
          {Label22, L"60"}, {Label23, L"80"}, {Label24, L"90"}, {Label25, L"100"}, {Label26, L"150"}}},
        {"new wheel 0", {L"195", L"65", L"15", L"*0", L"55", L"*0"},
         {{srdnicaakt, L"634.5"}, {srednicanew, L"0"}, {roznica, L"-634.5"}, {procentbl, L"-100"}, {Label21_1, L"0"},
          {Label22, L"0"}, {Label23, L"0"}, {Label24, L"0"}, {Label25, L"0"}, {Label26, L"0"}}},
        {"current wheel 0", {L"*0", L"65", L"*0", L"205", L"55", L"16"},
         ThenEmptied({{srdnicaakt, L"0"}, {srednicanew, L"631.9"}, {roznica, L"631.9"}, {procentbl, L"-100"}}), 11,
         kCurrentZero},
        {"both wheels 0", {L"*0", L"65", L"*0", L"*0", L"55", L"*0"},
         ThenEmptied({{srdnicaakt, L"0"}, {srednicanew, L"0"}, {roznica, L"0"}}), 6, kCurrentZero},
        {"current width 40000", {L"*40000", L"65", L"15", L"205", L"55", L"16"}, ThenEmptied({}), 6,
         L"Pole: Szerokość aktualnej opony\nWpisano: „40000”\nDozwolone są liczby całkowite od 0 do 999."},
        {"new width 1000", {L"195", L"65", L"15", L"*1000", L"55", L"16"}, ThenEmptied({{srdnicaakt, L"634.5"}}), 6,
         L"Pole: Szerokość nowej opony\nWpisano: „1000”\nDozwolone są liczby całkowite od 0 do 999."},
        {"new profile 301", {L"195", L"65", L"15", L"205", L"~301", L"16"}, ThenEmptied({{srdnicaakt, L"634.5"}}), 6},
        {"new rim -1", {L"195", L"65", L"15", L"205", L"55", L"*-1"}, ThenEmptied({{srdnicaakt, L"634.5"}}), 6,
         L"Pole: Średnica felgi nowej opony\nWpisano: „-1”\nDozwolone są liczby całkowite od 0 do 99."},
        {"index 32767", {L"#32767", L"65", L"15", L"205", L"55", L"16"}, ThenEmptied({}), 6,
         L"Pole: Szerokość aktualnej opony\nPozycja na liście: 32767"},
        {"index 11 of 11: the list's error", {L"195", L"65", L"15", L"#11", L"55", L"16"},
         ThenEmptied({{srdnicaakt, L"634.5"}}), 381, L"Pole: Szerokość nowej opony"},
        // 999 x 299/50 + 2514.6 = 8488.62 against 385.8: a difference of -8102.82, one character too many.
        {"difference too long for its box", {L"*999", L"*299", L"*99", L"~135", L"~30", L"~12"},
         ThenEmptied({{srdnicaakt, L"8488.62"}, {srednicanew, L"385.8"}}), 6,
         L"Pole: Różnica średnicy kół\nWynik: -8102.82 – nie mieści się w polu."},
        // A wheel 0.02 mm across: 631.9 / 0.02 x 50 = 1579750 km/h.
        {"speed too long for its label", {L"*1", L"*1", L"*0", L"205", L"55", L"16"},
         ThenEmptied({{srdnicaakt, L"0.02"}, {srednicanew, L"631.9"}, {roznica, L"631.88"}, {procentbl, L"-100"}}), 6,
         L"Pole: Rzeczywista prędkość przy 50 km/h\nWynik: 1579750 – nie mieści się w polu."},
    };
    for (const Click& c : cases) ExpectClick(c);
}

// Only a plain whole number is taken, from a box or a combo's field; anything else is refused
// with the field, the text quoted and what is accepted, the results emptied.
TEST(PrzeliczClick, TakesOnlyAPlainWholeNumberTyped) {
    for (const std::wstring accepted : {L"15", L" 15 ", L"\t+15\t", L"015", L"+0015"}) {
        ExpectClick({"accepted", {L"195", L"65", L"*" + accepted, L"205", L"55", L"16"}, kReferenceWrites});
        ExpectClick({"accepted in the field", {L"195", L"65", L"~" + accepted, L"205", L"55", L"16"}, kReferenceWrites});
    }
    for (const std::wstring refused : {L"15.5", L"15,5", L"14.5", L"", L" ", L"abc", L"55%", L"15 cali", L"&H10", L"1e1",
                                       L"-", L"+", L"1 5", L"- 15", L"0x10", L"\xFF11\xFF15", L"15\n"}) {
        ExpectClick({"refused", {L"195", L"65", L"*" + refused, L"205", L"55", L"16"}, ThenEmptied({}), 13});
        ExpectClick({"refused in the field", {L"195", L"65", L"15", L"205", L"55", L"~" + refused},
                     ThenEmptied({{srdnicaakt, L"634.5"}}), 13});
    }
    const std::wstring accepts = L"\nWpisz liczbę całkowitą, same cyfry (np. 16), bez kropki, przecinka i jednostek.";
    ExpectClick({"quoted", {L"195", L"65", L"*15.5", L"205", L"55", L"16"}, ThenEmptied({}), 13,
                 L"Pole: Średnica felgi aktualnej opony\nWpisano: „15.5”" + accepts});
    ExpectClick({"empty", {L"*", L"65", L"15", L"205", L"55", L"16"}, ThenEmptied({}), 13,
                 L"Pole: Szerokość aktualnej opony\nWpisano: nic (puste pole)" + accepts});
    ExpectClick({"a long paste cut", {L"195", L"65", L"15", L"205", L"*" + std::wstring(50, L'x'), L"16"},
                 ThenEmptied({{srdnicaakt, L"634.5"}}), 13,
                 L"Pole: Profil nowej opony\nWpisano: „" + std::wstring(40, L'x') + L"…”" + accepts});
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
    try {
        Przelicz_Click(window);
        ADD_FAILURE() << "the word was read";
    } catch (const calc::RuntimeError& e) {
        EXPECT_EQ(e.detail.substr(0, 30), L"Pole: Profil nowej opony\nWpisa");
    }
    Writes emptied = ThenEmptied({{srdnicaakt, L"634.5"}});
    emptied.insert(emptied.end(), {{Label31, L""}, {Label32, L""}, {Label33, L""}});
    EXPECT_EQ(window.writes, emptied);
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
