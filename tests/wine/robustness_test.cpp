// "Przelicz" through the real controls: what it writes and shows for good, failing and
// hostile input, and what long repetition leaves behind.

#include "harness.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

constexpr int kCombos[] = {Combo1, Combo2, Combo3, Combo4, Combo5, Combo6};
// Everything "Przelicz" writes, in the order it writes it: an error leaves a prefix written.
constexpr int kResults[] = {srdnicaakt, srednicanew, roznica, procentbl, Label21_1, Label22, Label23, Label24, Label25, Label26};

class Robustness : public ProgramTest {
protected:
    // Into the box behind the last entry: short printable texts typed key by key, the rest pasted whole.
    void Enter(int combo, const std::wstring& text) {
        ChooseOther(combo);
        const Window box = Control(combo + Text1 - Combo1);
        const auto typeable = [](wchar_t c) { return c >= 0x20 && c != 0x7F && (c < 0xD800 || c > 0xDFFF); };
        if (text.size() <= 64 && std::ranges::all_of(text, typeable)) return Type(box, text);
        box.SetText(text);
        ASSERT_EQ(box.Text().size(), text.size()) << "the box took the text cut";
    }
};
using PrzeliczClick = Robustness;

// Row by row on one window: first as it opens (the fields as they read), then six dimensions,
// each chosen from its list where the list has it, else typed into the box behind the last entry
// (or pasted, when long or not typeable); with the user's decimal separator where a row gives one.
// Past 64 Ki characters no 16-bit length holds the text; Wine's edit control lays out a run of
// digits in time quadratic in its length: that one is 16 Ki.
TEST_F(PrzeliczClick, WritesEachResultInTurnUntilAnErrorAndShowsIt) {
    const std::vector<std::wstring> equal{L"0", L"0", L"50", L"60", L"80", L"90", L"100", L"150"};
    const std::vector<std::wstring> reference{L"634.5", L"631.9", L"-2.6", L"0.41", L"49.8", L"59.75", L"79.67", L"89.63", L"99.59", L"149.39"};
    const std::vector<std::wstring> widthZero{L"381", L"631.9", L"250.9", L"-39.71", L"82.93", L"99.51", L"132.68", L"149.27", L"165.85", L"248.78"};
    const std::wstring digits(0x4000, L'7'), zeros(0x4000, L'0'), spaces(0x10003, L' '), letters(0x10003, L'x'), surrogates(0x10003, L'\xD800');
    struct Row { std::array<std::wstring, 6> sizes; int error; std::vector<std::wstring> expected; const wchar_t* separator = L"."; };
    const Row rows[] = {
        {{}, 0, {L"385.8", L"385.8"}},
        {{L"0", L"65", L"0", L"205", L"55", L"16"}, 11, {L"0", L"631.9", L"631.9", L"-100"}},  // the factor divides by 0
        // A typed comma ends the number (15,5 is 15); the new wheel, written "0,7", reads back as 0.
        {{L"195", L"65", L"15,5", L"1", L"35", L"0"}, 0,
         {L"634,5", L"0,7", L"-633,8", L"-99,89", L"0,06", L"0,07", L"0,09", L"0,1", L"0,11", L"0,17"}, L","},
        {{L"195", L"65", L"15", L"205", L"55", L"16"}, 0, reference},
        // Texts a user or a paste can bring, in a width box: what they read as.
        {{digits, L"65", L"15", L"205", L"55", L"16"}, 6, {}},  // too many digits
        {{zeros + L"195", L"65", L"15", L"205", L"55", L"16"}, 0, reference},
        {{spaces + L"195", L"65", L"15", L"205", L"55", L"16"}, 0, reference},
        {{L"195" + letters, L"65", L"15", L"205", L"55", L"16"}, 0, reference},
        {{surrogates, L"65", L"15", L"205", L"55", L"16"}, 0, widthZero},                  // lone surrogates
        {{L"\u00A0\uFF11\uFF19\uFF15", L"65", L"15", L"205", L"55", L"16"}, 0, widthZero},  // no ASCII digit
        {{L"\r\n195", L"65", L"15", L"205", L"55", L"16"}, 0, widthZero},
        {{L"165", L"65", L"14", L"195", L"55", L"14"}, 0, {L"570.1", L"570.1"}},  // equal wheels read as equal
    };
    // The selectors as entered: list index, field and box.
    const auto inputs = [&] {
        std::vector<std::wstring> in;
        for (int c : kCombos) in.insert(in.end(), {std::to_wstring(Main().ListIndex(c)), Text(c), Text(c + Text1 - Combo1)});
        return in;
    };
    for (auto [sizes, error, expected, separator] : rows) {
        SCOPED_TRACE(testing::PrintToString(sizes[0].substr(0, 16)) + " ... " + std::to_string(sizes[0].size()));
        for (size_t n = 0; n < 6 && !sizes[0].empty(); ++n) {
            const int entry = Combo(Control(kCombos[n])).Find(sizes[n]);
            if (entry >= 0) Choose(kCombos[n], entry);
            else Enter(kCombos[n], sizes[n]);
        }
        if (expected.size() == 2) expected.insert(expected.end(), equal.begin(), equal.end());
        for (int id : kResults) Main().SetText(id, L"?");  // what the click leaves unwritten
        const std::vector<std::wstring> before = inputs();
        wchar_t saved[8] = {};  // the separator is read at each click: set just for it
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved, 8);
        ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator));
        errors_.clear();
        Click(Przelicz);
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved);
        Pump();
        EXPECT_EQ(errors_.size(), error ? 1u : 0u);
        for (const calc::RuntimeError& e : errors_) EXPECT_EQ(e.number, error);
        EXPECT_TRUE(!program_.ended() && IsWindowVisible(Main().hwnd()) && inputs() == before);
        std::vector<std::wstring> written;
        for (int id : kResults) written.push_back(Text(id));
        while (!written.empty() && written.back() == L"?") written.pop_back();
        EXPECT_EQ(written, expected);
    }
    // On the screen, click after click with nothing in between: the reference pair's 149.39 reaches
    // into the right half of its label in dark red; the equal wheels' 150 after it leaves only sand there.
    RECT right = Control(Label26).Place();
    right.left = (right.left + right.right) / 2;
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseSize(Combo4, L"205", L"55", L"16");
    Click(Przelicz);
    EXPECT_TRUE(std::ranges::any_of(Shot(Main().hwnd()).Colours(right), [](COLORREF c) { return Near(c, RGB(128, 0, 0), 24); }));
    ChooseSize(Combo1, L"165", L"65", L"14");
    ChooseSize(Combo4, L"195", L"55", L"14");
    Click(Przelicz);
    ASSERT_EQ(Text(Label26), L"150");
    for (COLORREF c : Shot(Main().hwnd()).Colours(right)) EXPECT_TRUE(GetRValue(c) + GetGValue(c) + GetBValue(c) > 600) << std::hex << c;
}

// GDI objects, this process's USER objects and its kernel handles. Wine answers GetGuiResources
// and GetProcessHandleCount with 0, and its handle tables take a handle's bare 16-bit index for
// any generation of the handle: there live ones are found by trying every index (USER handles
// even, from 0x20; kernel handles multiples of 4).
std::array<long, 3> Count() {
    Pump();
    DWORD kernel = 0;
    GetProcessHandleCount(GetCurrentProcess(), &kernel);
    std::array<long, 3> n{static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)),
                          static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)), static_cast<long>(kernel)};
    const std::array<bool, 3> scan{!n[0], !n[1], !n[2]};
    const forms::ScopedDc dc(CreateCompatibleDC(nullptr));
    for (ULONG_PTR i = 1; i <= 0xFFFF; ++i) {
        const auto h = reinterpret_cast<HWND>(i);
        DWORD value = 0;
        n[0] += scan[0] && GetObjectType(h);
        n[2] += scan[2] && i % 4 == 0 && GetHandleInformation(h, &value);
        if (!scan[1] || i < 0x20 || i % 2) continue;
        if (IsWindow(h)) n[1] += GetWindowThreadProcessId(h, &value) && value == GetCurrentProcessId();
        else n[1] += IsMenu(HMENU(h)) || DrawIconEx(dc.get(), 0, 0, HICON(h), 1, 1, 0, nullptr, DI_NORMAL);
    }
    return n;
}

using Repetition = Robustness;

// A hundred cycles after a warm-up: About and Help built by their buttons, hidden by their own,
// shown again and destroyed by the title-bar close (all a window makes, made again), then a
// good and an overflowing click of "Przelicz". Then not one object or handle more.
TEST_F(Repetition, AHundredCyclesOfBothWindowsAndTwoClicksLeaveNoObjectOrHandleBehind) {
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseSize(Combo4, L"205", L"55", L"16");
    const std::tuple<int, forms::FormRef&, int> windows[] = {{Command2, program_.Form2(), ui::form2::Command201},
                                                            {Command3, program_.Form3(), ui::form3::Command301}};
    const auto cycle = [&] {
        for (const auto& [button, form, close] : windows) {
            Click(button);
            HWND shown = form->hwnd();
            Window(form->control(close)).Click();
            Click(button);
            SendMessageW(shown, WM_SYSCOMMAND, SC_CLOSE, 0);
            Pump();
            if (IsWindow(shown) || form->loaded()) return false;
        }
        for (const bool overflowing : {false, true}) {
            errors_.clear();
            Enter(Combo4, overflowing ? L"40000" : L"205");
            Click(Przelicz);
            Pump();
            if (overflowing ? errors_.size() != 1 || errors_[0].number != calc::kOverflow : !errors_.empty() || Text(srednicanew) != L"631.9")
                return false;
        }
        return !program_.ended() && IsWindowVisible(Main().hwnd());
    };
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(cycle()) << "warming up, " << i;
    const auto before = Count();
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(cycle()) << "cycle " << i;
    const auto after = Count();
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(after[i], before[i]) << std::array{"GDI objects", "USER objects", "kernel handles"}[i];
}

}  // namespace
}  // namespace tarvex_test
