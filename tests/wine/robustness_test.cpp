// "Przelicz" on the real main window: what it writes for good, failing and hostile input,
// and what long repetition leaves behind.

#include <algorithm>
#include <array>
#include <iostream>
#include <tuple>

#include "harness.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

constexpr int kCombos[] = {Combo1, Combo2, Combo3, Combo4, Combo5, Combo6};
constexpr int BoxOf(int combo) { return combo + Text1 - Combo1; }
// Everything "Przelicz" writes, in the order it writes it: an error leaves a prefix written.
constexpr int kResults[] = {srdnicaakt, srednicanew, roznica, procentbl,
                            Label21_1, Label22, Label23, Label24, Label25, Label26};

class Robustness : public ProgramTest {
protected:
    // Into the box behind the last entry: short printable texts typed key by key, the rest
    // whole, as a paste brings them.
    void Enter(int combo, const std::wstring& text) {
        ChooseOther(combo);
        const Window box = Control(BoxOf(combo));
        const auto typeable = [](wchar_t c) { return c >= 0x20 && c != 0x7F && (c < 0xD800 || c > 0xDFFF); };
        if (text.size() <= 64 && std::ranges::all_of(text, typeable)) return Type(box, text);
        box.SetText(text);
        ASSERT_EQ(Text(BoxOf(combo)).size(), text.size()) << "the box took the text cut";
    }

    // One click, every result marked "?" first: the expected error (0: none), the program going on and
    // each selector's list index, field and box as entered. Returns the results written, up to an error.
    std::vector<std::wstring> ClickExpecting(int error) {
        errors_.clear();
        const auto inputs = [&] {
            std::vector<std::wstring> in;
            for (int c : kCombos) in.insert(in.end(), {std::to_wstring(Main().ListIndex(c)), Text(c), Text(BoxOf(c))});
            return in;
        };
        for (int id : kResults) Main().SetText(id, L"?");
        const std::vector<std::wstring> before = inputs();
        Click(Przelicz);
        Pump();
        EXPECT_EQ(errors_.size(), error ? 1u : 0u);
        for (const calc::RuntimeError& e : errors_) EXPECT_EQ(e.number, error);
        EXPECT_TRUE(!program_.ended() && IsWindowVisible(Main().hwnd())) << "the program ended";
        EXPECT_TRUE(inputs() == before) << "an input changed";
        std::vector<std::wstring> results;
        for (int id : kResults) results.push_back(Text(id));
        while (!results.empty() && results.back() == L"?") results.pop_back();
        return results;
    }
};

using PrzeliczClick = Robustness;

// Row by row on one window: first as it opens (the fields as they read), then six dimensions,
// each chosen from its list where the list has it, else typed into the box behind the last entry
// (or pasted, when long or not typeable); with the user's decimal separator where a row gives one.
// Wine's edit control lays out a run of digits in time quadratic in its length: there it is 16 KiB.
TEST_F(PrzeliczClick, WritesEachResultInTurnUntilAnError) {
    const std::vector<std::wstring> equal{L"0", L"0", L"50", L"60", L"80", L"90", L"100", L"150"};
    const std::vector<std::wstring> reference{L"634.5", L"631.9", L"-2.6", L"0.41", L"49.8",
                                              L"59.75", L"79.67", L"89.63", L"99.59", L"149.39"};
    const std::vector<std::wstring> widthZero{L"381", L"631.9", L"250.9", L"-39.71", L"82.93",
                                              L"99.51", L"132.68", L"149.27", L"165.85", L"248.78"};
    const size_t mb = size_t{1} << 20;
    const size_t run = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") ? mb / 64 : mb;
    struct Row {
        std::array<std::wstring, 6> sizes;
        int error;
        std::vector<std::wstring> expected;
        const wchar_t* separator = L".";
    };
    const Row rows[] = {
        {{}, 0, {L"385.8", L"385.8"}},
        {{L"135", L"30", L"12", L"235", L"82", L"20"}, 0,
         {L"385.8", L"893.4", L"507.6", L"-56.82", L"115.79", L"138.94", L"185.26", L"208.41", L"231.57", L"347.36"}},
        {{L"40000", L"65", L"15", L"40000", L"55", L"16"}, 6, {}},  // both sizes too large: one report
        {{L"0", L"65", L"0", L"205", L"55", L"16"}, 11, {L"0", L"631.9", L"631.9", L"-100"}},  // the factor divides by 0
        {{L"195", L"65", L"15", L"0", L"55", L"0"}, 0,
         {L"634.5", L"0", L"-634.5", L"-100", L"0", L"0", L"0", L"0", L"0", L"0"}},
        {{L"0", L"65", L"0", L"0", L"55", L"0"}, 6, {L"0", L"0", L"0"}},  // 0/0 in the error ratio
        {{L"0", L"65", L"0", L"0", L"55", L"-1"}, 11, {L"0", L"-25.4", L"-25.4"}},  // the ratio divides by 0
        // A typed comma ends the number (15,5 is 15); the new wheel, written "0,7", reads back as 0 and
        // takes the second form, 0.7 / 634.5 - 1 (634.5 / 0.7 - 1 would be 90542.86 %).
        {{L"195", L"65", L"15,5", L"1", L"35", L"0"}, 0,
         {L"634,5", L"0,7", L"-633,8", L"-99,89", L"0,06", L"0,07", L"0,09", L"0,1", L"0,11", L"0,17"}, L","},
        {{L"195", L"65", L"15", L"32767", L"32767", L"20"}, 0,  // the largest new wheel: every digit written
         {L"634.5", L"21474033.78", L"21473399.28", L"-100", L"1692201.24", L"2030641.49", L"2707521.99", L"3045962.24",
          L"3384402.49", L"5076603.73"}},
        {{L"195", L"65", L"15", L"205", L"55", L"16"}, 0, reference},
        // Texts a user or a paste can bring, in a width box: what they read as.
        {{std::wstring(run, L'7'), L"65", L"15", L"205", L"55", L"16"}, 6, {}},  // too many digits
        {{std::wstring(run, L'0') + L"195", L"65", L"15", L"205", L"55", L"16"}, 0, reference},
        {{std::wstring(mb, L' ') + L"195", L"65", L"15", L"205", L"55", L"16"}, 0, reference},
        {{L"195" + std::wstring(mb, L'x'), L"65", L"15", L"205", L"55", L"16"}, 0, reference},
        {{std::wstring(mb, L'\xD800'), L"65", L"15", L"205", L"55", L"16"}, 0, widthZero},  // lone surrogates
        {{L"\u00A0\uFF11\uFF19\uFF15", L"65", L"15", L"205", L"55", L"16"}, 0, widthZero},  // no ASCII digit
        {{L"\r\n195", L"65", L"15", L"205", L"55", L"16"}, 0, widthZero},
        // Equal wheels from other sizes read as equal.
        {{L"165", L"82", L"14", L"185", L"80", L"13"}, 0, {L"626.2", L"626.2"}},
        {{L"165", L"65", L"14", L"195", L"55", L"14"}, 0, {L"570.1", L"570.1"}},
    };
    for (auto [sizes, error, expected, separator] : rows) {
        SCOPED_TRACE(testing::PrintToString(sizes[0].substr(0, 16)) + " ... " + std::to_string(sizes[0].size()));
        for (int n = 0; n < 6 && !sizes[0].empty(); ++n) {
            const int entry = Combo(Control(kCombos[n])).Find(sizes[n]);
            if (entry >= 0) Choose(kCombos[n], entry);
            else Enter(kCombos[n], sizes[n]);
        }
        if (expected.size() == 2) expected.insert(expected.end(), equal.begin(), equal.end());
        wchar_t saved[8] = {};  // the separator is read at each click: set just for it
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved, 8);
        ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator));
        const std::vector<std::wstring> written = ClickExpecting(error);
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved);
        EXPECT_EQ(written, expected);
    }

    // The last row shows "150" where a longer text stood before: right of it only the sand shows.
    RECT r = Control(Label26).Place();
    r.left = r.right - (r.right - r.left) / 4;  // "150" ends before, "149.39" well after
    for (COLORREF c : Shot(Main().hwnd()).Colours(r)) EXPECT_GT(GetRValue(c) + GetGValue(c) + GetBValue(c), 600) << std::hex << c;
}

// Exact, unlike the private bytes, which move in pages (and which Wine does not report).
long long HeapBytesInUse() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    long long bytes = 0;
    for (HANDLE heap : heaps) {
        HeapLock(heap);
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
        HeapUnlock(heap);
    }
    return bytes;
}

// GDI objects, this process's USER objects, heap bytes in use. Wine answers GetGuiResources
// with 0, and its handle tables take a handle's bare 16-bit index for any generation of the
// handle: there live objects are found by trying every index (USER handles even, from 0x20).
std::array<long long, 3> Measure() {
    Pump();
    std::array<long long, 3> n{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                               GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), 0};
    if (!n[0] || !n[1]) {
        const forms::ScopedDc dc(CreateCompatibleDC(nullptr));
        n = {0, 0, 0};
        for (ULONG_PTR i = 1; i <= 0xFFFF; ++i) {
            const auto h = reinterpret_cast<HWND>(i);
            DWORD owner = 0;
            n[0] += GetObjectType(h) != 0;
            if (i < 0x20 || i % 2) continue;
            if (IsWindow(h)) n[1] += GetWindowThreadProcessId(h, &owner) && owner == GetCurrentProcessId();
            else n[1] += IsMenu(HMENU(h)) || DrawIconEx(dc.get(), 0, 0, HICON(h), 1, 1, 0, nullptr, DI_NORMAL);
        }
    }
    n[2] = HeapBytesInUse();
    return n;
}

// Wine's static control keeps a 24-byte record of a text label's font and never frees it: measured
// on labels of the same kind, so that the program is charged only with its own memory (on Windows 0).
long long PlatformBytesLeftPerLabel() {
    const forms::ScopedWindow parent(
        CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    long long before = 0;
    for (int i = -1; i < 100; ++i) {  // the first label may set up what every label shares
        if (i == 0) before = HeapBytesInUse();
        HWND label = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 10, 10,
                                     parent.get(), nullptr, nullptr, nullptr);
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        DestroyWindow(label);
    }
    return (HeapBytesInUse() - before) / 100;
}

using Repetition = Robustness;

// A thousand cycles: About and Help built by their buttons, hidden by their own, shown again and
// destroyed by the title-bar close (all a window makes, made again), then ten clicks of "Przelicz",
// good and overflowing in turn. Then no GDI or USER object more, and no heap byte beyond the
// platform's own but 4 KiB: a cache entry or two, less than 8 bytes per cycle or per two clicks.
TEST_F(Repetition, AThousandCyclesOfBothWindowsAndTenClicksLeaveNothingBehind) {
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
        for (int i = 0; i < 10; ++i) {
            errors_.clear();  // the test's own memory, its capacity kept from the warm-up
            Enter(Combo4, i % 2 ? L"40000" : L"205");
            Click(Przelicz);
            Pump();
            if (i % 2 ? errors_.size() != 1 || errors_[0].number != calc::kOverflow
                      : !errors_.empty() || Text(srednicanew) != L"631.9")
                return false;
        }
        return !program_.ended() && IsWindowVisible(Main().hwnd());
    };
    long long labels = 0;
    for (const forms::FormDesc* form : {&ui::kForm2, &ui::kForm3})
        labels += std::ranges::count(form->controls, forms::Kind::Label, &forms::ControlDesc::kind);
    const long long platformShare = 1000 * labels * PlatformBytesLeftPerLabel();
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(cycle()) << "warming up, " << i;
    const auto before = Measure();
    for (int i = 0; i < 1000; ++i) ASSERT_TRUE(cycle()) << "cycle " << i;
    const auto after = Measure();
    const char* names[] = {"gdi_objects", "user_objects", "heap_bytes_in_use"};
    for (size_t i = 0; i < before.size(); ++i) {
        const long long share = i == 2 ? platformShare : 0;
        std::cout << "[ figures  ] " << names[i] << ": " << before[i] << " -> " << after[i]
                  << ", of which the platform's own leak " << share << "\n";
        EXPECT_LE(after[i] - before[i] - share, i == 2 ? 4 * 1024 : 0) << names[i];
    }
}

}  // namespace
}  // namespace tarvex_test
