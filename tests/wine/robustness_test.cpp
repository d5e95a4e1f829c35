// "Przelicz" through the real controls: what it writes and shows for good, failing and
// hostile input, and what long repetition leaves behind.

#include "harness.h"

namespace tarvex_test {
namespace {

using PrzeliczClick = ProgramTest;

// Row by row on one window: six dimensions as a user gives them (Choose), with the user's decimal
// separator where a row gives one. Which short texts are read is the native suite's; here the pastes
// the real box must hold whole: past 64 Ki characters no 16-bit length holds the text.
TEST_F(PrzeliczClick, WritesEachResultInTurnUntilAnErrorAndShowsIt) {
    const std::wstring spaces(0x10003, L' ');
    // The six sizes, the error told, the ten results, the user's separator.
    const std::tuple<std::vector<std::wstring>, int, std::wstring, const wchar_t*> rows[] = {
        {{L"0", L"65", L"0", L"205", L"55", L"16"}, 11, L"0|631.9|631.9|-100||||||", L"."},  // the factor divides by 0
        // The new wheel, written "0,7", reads back as 0.
        {{L"195", L"65", L"15", L"1", L"35", L"0"}, 0, L"634,5|0,7|-633,8|-99,89|0,06|0,07|0,09|0,1|0,11|0,17", L","},
        {{spaces + L"195", L"65", L"15", L"205", L"55", L"16"}, 0,
         L"634.5|631.9|-2.6|0.41|49.8|59.75|79.67|89.63|99.59|149.39", L"."},
    };
    // The selectors as entered, from Label1 to Text6: list index, field and box.
    const auto inputs = [&] { auto all = Contents(Main(), ui::kForm1); all.resize(Text6 + 1); return all; };
    for (const auto& [sizes, error, results, separator] : rows) {
        SCOPED_TRACE(testing::PrintToString(sizes[0].substr(0, 16)) + " ... " + std::to_string(sizes[0].size()));
        Choose(sizes);
        for (int id : kResults) Main().SetText(id, L"?");
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
        std::wstring written;
        for (int id : kResults) written += (id == kResults[0] ? L"" : L"|") + Text(id);
        EXPECT_EQ(written, results);
    }
    // On the screen, click after click with nothing in between: the reference pair's 149.39 reaches
    // into the right half of its label in dark red; the equal wheels' 150 after it leaves only sand there.
    RECT right = Control(Label26).Place();
    right.left = (right.left + right.right) / 2;
    ChooseReferencePair();
    Click(Przelicz);
    const auto darkRed = [](COLORREF c) { return Near(c, RGB(128, 0, 0), 24); };
    EXPECT_TRUE(std::ranges::any_of(Shot(Main().hwnd()).Colours(right), darkRed));
    Choose({L"165", L"65", L"14", L"195", L"55", L"14"});
    Click(Przelicz);
    ASSERT_EQ(Text(Label26), L"150");
    for (COLORREF c : Shot(Main().hwnd()).Colours(right))
        EXPECT_TRUE(GetRValue(c) + GetGValue(c) + GetBValue(c) > 600) << std::hex << c;
}

// GDI objects, this process's USER objects and its kernel handles. Wine answers GetGuiResources
// and GetProcessHandleCount with 0, and its handle tables take a handle's bare 16-bit index for
// any generation of the handle: there live ones are found by trying every index (USER handles
// even, from 0x20; kernel handles multiples of 4).
std::array<long, 3> Count() {
    Pump();
    const HANDLE self = GetCurrentProcess();
    DWORD kernel = 0;
    GetProcessHandleCount(self, &kernel);
    std::array n{long(GetGuiResources(self, GR_GDIOBJECTS)), long(GetGuiResources(self, GR_USEROBJECTS)), long(kernel)};
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

using Repetition = ProgramTest;

// A hundred cycles after a warm-up: About and Help built by their buttons, hidden by their own,
// shown again and destroyed by the title-bar close (all a window makes, made again), then a
// good and an overflowing click of "Przelicz". Then not one object or handle more.
TEST_F(Repetition, AHundredCyclesOfBothWindowsAndTwoClicksLeaveNoObjectOrHandleBehind) {
    ChooseReferencePair();
    const auto cycle = [&] {
        for (const WindowCase& w : {kAbout, kHelp}) {
            Click(w.opener);
            HWND shown = Ref(w)->hwnd();
            Window(Ref(w)->control(w.closer)).Click();
            Click(w.opener);
            SendMessageW(shown, WM_SYSCOMMAND, SC_CLOSE, 0);
            Pump();
            if (IsWindow(shown) || Ref(w)->loaded()) return false;
        }
        for (const bool overflowing : {false, true}) {
            errors_.clear();
            Enter(Combo4, overflowing ? L"40000" : L"205");
            Click(Przelicz);
            Pump();
            const bool told = errors_.size() == 1 && errors_[0].number == calc::kOverflow;
            if (overflowing ? !told : !errors_.empty() || Text(srednicanew) != L"631.9") return false;
        }
        return !program_.ended() && IsWindowVisible(Main().hwnd());
    };
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(cycle()) << "warming up, " << i;
    const auto before = Count();
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(cycle()) << "cycle " << i;
    const auto after = Count();
    EXPECT_EQ(after, before) << "GDI objects, USER objects, kernel handles";
}

}  // namespace
}  // namespace tarvex_test
