// Hostile input and long repetition on the real windows.

#include <algorithm>
#include <iostream>
#include <array>
#include <optional>
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
// Put into every result before a click: whatever still shows it was not written.
constexpr wchar_t kUnwritten[] = L"?";

// For traces: hostile texts can be a megabyte long.
std::string Describe(const std::wstring& text) {
    return testing::PrintToString(text.substr(0, 16)) + " (" + std::to_string(text.size()) + " characters)";
}

// One text of each kind a user or a paste can bring, with the dimension it reads as;
// {}: overflow (6). Wine's edit control lays out a run of digits in time quadratic in
// its length, so there the digit run is 16 KiB; every other long text is a megabyte.
std::vector<std::pair<std::wstring, std::optional<std::int16_t>>> HostileTexts() {
    const size_t mb = size_t{1} << 20;
    const size_t run = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") ? mb / 64 : mb;
    return {
        {std::wstring(run, L'7'), {}},              // too many digits
        {std::wstring(run, L'0') + L"5", 5},        // long, but a small number
        {std::wstring(mb, L' ') + L"7", 7},         // blanks before
        {L"7" + std::wstring(mb, L'x'), 7},         // junk after
        {std::wstring(mb, L'.'), 0},                // no digit at all
        {std::wstring(mb, L'\x01'), 0},             // control characters
        {std::wstring(mb, L'\xD800'), 0},           // lone surrogates
        {L"\uFF11\uFF19\uFF15", 0},                 // digits that are not ASCII
        {L"\u00A05", 0},                            // a blank that is not a space
        {L"\r\n195", 0},                            // a line break
        {L"1,5", 1},                                // the decimal comma
        {L"-.5e", 0},                               // an exponent left unfinished
        {L"1e400", {}},                             // beyond the double range
        {L"1e-" + std::wstring(1000, L'9'), 0},     // a thousand-digit exponent
        {L"-32768.5", -32768},                      // the 16-bit edges
        {L"32767.5", {}},
    };
}

// Where a text goes: the box behind the last entry ("inna"/"inny"), or the combo's own field.
enum Where { Box, Field };

class Robustness : public ProgramTest {
protected:
    // Current 195/65 R15, new 205/55 R16, each from its list; the boxes empty.
    void Reference() {
        errors_.clear();
        ChooseSize(Combo1, L"195", L"65", L"15");
        ChooseSize(Combo4, L"205", L"55", L"16");
        for (int combo : kCombos) Put(BoxOf(combo), L"");
    }

    // Short printable texts are typed key by key; the rest arrive whole, as a paste does.
    void Enter(int combo, Where where, const std::wstring& text) {
        if (where == Box) ChooseOther(combo);
        const Window edit = where == Box ? Control(BoxOf(combo)) : Combo(Control(combo)).Field();
        const auto typeable = [](wchar_t c) { return c >= 0x20 && c != 0x7F && (c < 0xD800 || c > 0xDFFF); };
        if (text.size() <= 64 && std::ranges::all_of(text, typeable)) return Type(edit, text);
        if (where == Field) Choose(combo, -1);  // setting the text, unlike typing, would keep the selection
        edit.SetText(text);
    }

    // Each selector's list index, field and box.
    std::vector<std::wstring> Inputs() {
        std::vector<std::wstring> in;
        for (int c : kCombos) in.insert(in.end(), {std::to_wstring(Main().ListIndex(c)), Text(c), Text(BoxOf(c))});
        return in;
    }

    // One click, every result marked unwritten first: it reports the expected error or none,
    // the program goes on and every input stays as entered. Returns the results written
    // (an error stops the writing).
    std::vector<std::wstring> ClickExpecting(int error) {
        for (int id : kResults) Main().SetText(id, kUnwritten);
        const std::vector<std::wstring> before = Inputs();
        Click(Przelicz);
        Pump();
        EXPECT_EQ(errors_.size(), error ? 1u : 0u);
        for (const calc::RuntimeError& e : errors_) EXPECT_EQ(e.number, error);
        EXPECT_TRUE(!program_.ended() && IsWindowVisible(Main().hwnd())) << "the program ended";
        const std::vector<std::wstring> after = Inputs();  // [3k..3k+2]: selector k+1
        for (size_t i = 0; i < after.size(); ++i)
            EXPECT_TRUE(after[i] == before[i]) << "selector " << i / 3 + 1 << " became " << Describe(after[i]);
        std::vector<std::wstring> results;
        for (int id : kResults) results.push_back(Text(id));
        while (!results.empty() && results.back() == kUnwritten) results.pop_back();
        return results;
    }
};

// A value reads as the same number typed plainly into the box; an overflow in the current
// size stops before anything is written, in the new size after the current diameter.
TEST_F(Robustness, HostileTextsInEveryPairedBoxAndComboField) {
    for (Where where : {Box, Field})
        for (const auto& [text, value] : HostileTexts())
            for (int n = 1; n <= 6; ++n) {
                const int combo = kCombos[n - 1], shownIn = where == Box ? BoxOf(combo) : combo;
                SCOPED_TRACE(testing::Message() << Describe(text) << (where == Box ? " in Text" : " in Combo") << n);
                std::vector<std::wstring> expected(n > 3, L"634.5");  // overflow: the current diameter at most
                if (value) {
                    Reference();
                    Enter(combo, Box, std::to_wstring(*value));
                    expected = ClickExpecting(0);
                }
                Reference();
                Enter(combo, where, text);
                ASSERT_TRUE(Text(shownIn) == text) << "entered as " << Describe(Text(shownIn));
                EXPECT_EQ(ClickExpecting(value ? 0 : calc::kOverflow), expected);
            }
}

// Overflow in any one selector is the hostile texts' part; here are the rest of the rows.
TEST_F(Robustness, EveryRowOfTheFailureTable) {
    // What, the six boxes (null: the reference entry stays selected), the error (0: none), what is written.
    const std::tuple<const char*, std::array<const wchar_t*, 6>, int, std::vector<std::wstring>> rows[] = {
        {"both sizes too large: one report", {L"40000", 0, 0, L"40000", 0, 0}, 6, {}},
        {"current 0: factor divides by 0", {L"0", 0, L"0", 0, 0, 0}, 11, {L"0", L"631.9", L"631.9", L"-100"}},
        {"new 0", {0, 0, 0, L"0", 0, L"0"}, 0,
         {L"634.5", L"0", L"-634.5", L"-100", L"0", L"0", L"0", L"0", L"0", L"0"}},
        {"both 0: 0/0 in the error ratio", {L"0", 0, L"0", L"0", 0, L"0"}, 6, {L"0", L"0", L"0"}},
        {"new below 0, current 0: ratio divides by 0", {L"0", 0, L"0", L"0", 0, L"-1"}, 11, {L"0", L"-25.4", L"-25.4"}},
    };
    for (const auto& [what, boxes, error, written] : rows) {
        SCOPED_TRACE(what);
        Reference();
        for (int n = 0; n < 6; ++n)
            if (boxes[n]) Enter(kCombos[n], Box, boxes[n]);
        EXPECT_EQ(ClickExpecting(error), written);
    }
}

// ---------------------------------------------------------------------------------
// Repetition

// Wine answers GetGuiResources with 0. Its handle tables take a handle's bare 16-bit
// index for any generation of the handle, so there live objects are found by trying
// every index. USER handles are even, from 0x20; windows are known to every process,
// so only this process's own count.
long long ProbeObjects(bool user) {
    HDC dc = CreateCompatibleDC(nullptr);
    long long n = 0;
    for (ULONG_PTR i = user ? 0x20 : 1; i <= 0xFFFF; i += user ? 2 : 1) {
        const auto h = reinterpret_cast<HWND>(i);
        DWORD owner = 0;
        if (!user) n += GetObjectType(h) != 0;
        else if (IsWindow(h)) n += GetWindowThreadProcessId(h, &owner) && owner == GetCurrentProcessId();
        else n += IsMenu(HMENU(h)) || DrawIconEx(dc, 0, 0, HICON(h), 1, 1, 0, nullptr, DI_NORMAL);
    }
    DeleteDC(dc);
    return n;
}

// Exact, unlike the private bytes, which Wine does not even report (PrivateUsage stays 0).
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

// GDI objects, USER objects, heap bytes in use. The heap is exact, unlike the private
// bytes, which move in pages (and which Wine does not report).
std::array<long long, 3> Measure() {
    Pump();
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    return {gdi && user ? gdi : ProbeObjects(false), gdi && user ? user : ProbeObjects(true), HeapBytesInUse()};
}

// Wine's common-controls static control keeps a 24-byte record of its font and frees it
// only for icon statics, so every text label that is given a font and then destroyed
// leaves it behind. Measured here, on labels of the same kind, so that the program is
// charged only with its own memory; on Windows this is 0.
long long PlatformBytesLeftPerLabel() {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    long long before = 0;
    for (int i = -1; i < 100; ++i) {  // the first label may set up what every label shares
        if (i == 0) before = HeapBytesInUse();
        HWND label = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 10, 10,
                                     parent, nullptr, nullptr, nullptr);
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        DestroyWindow(label);
    }
    const long long left = HeapBytesInUse() - before;
    DestroyWindow(parent);
    return left / 100;
}

// Repeats a step that tells whether it did what it should, warmed up first, and checks that
// nothing grew beyond the heap bytes the platform itself is known to leave behind:
// 4 KiB leaves room for a platform cache entry or two, and is below one leaked block of
// 8 bytes per cycle (1,000 cycles) or per two clicks (10,000).
template <class Step> void ExpectNoGrowth(int times, const Step& step, long long platformShare) {
    for (int i = 0; i < times / 50; ++i) ASSERT_TRUE(step(i)) << "warming up, " << i;
    const auto before = Measure();
    for (int i = 0; i < times; ++i) ASSERT_TRUE(step(i)) << "repetition " << i;
    const auto after = Measure();
    const std::tuple<const char*, long long, long long> limits[] = {
        {"gdi_objects", 0, 0}, {"user_objects", 0, 0}, {"heap_bytes_in_use", platformShare, 4 * 1024}};
    for (size_t i = 0; i < before.size(); ++i) {
        const auto& [name, share, tolerance] = limits[i];
        std::cout << "[ figures  ] " << name << ": " << before[i] << " -> " << after[i] << " (" << std::showpos
                  << after[i] - before[i] << std::noshowpos << "), of which the platform's own leak " << share << "\n";
        EXPECT_LE(after[i] - before[i] - share, tolerance) << name;
    }
}

using Repetition = Robustness;

TEST_F(Repetition, AboutAndHelpOpenHideAndCloseAThousandTimes) {
    const std::tuple<int, app::FormRef&, int> windows[] = {{Command2, program_.Form2, ui::form2::Command201},
                                                            {Command3, program_.Form3, ui::form3::Command301}};
    // Built by the button, destroyed by the title-bar close: everything a window makes, made again.
    const auto cycle = [&](int) {
        for (const auto& [button, form, close] : windows) {
            Click(button);
            HWND shown = form->hwnd();
            Window(form->control(close)).Click();  // hidden by its own button, shown again
            Click(button);
            SendMessageW(shown, WM_SYSCOMMAND, SC_CLOSE, 0);
            Pump();
            if (IsWindow(shown) || form->loaded()) return false;
        }
        return !program_.ended() && IsWindowVisible(Main().hwnd()) && errors_.empty();
    };
    long long labels = 0;
    for (const app::FormDesc* form : {&ui::kForm2, &ui::kForm3})
        labels += std::ranges::count(form->controls, app::Kind::Label, &app::ControlDesc::kind);
    ExpectNoGrowth(1000, cycle, 1000 * labels * PlatformBytesLeftPerLabel());
}

TEST_F(Repetition, PrzeliczTenThousandTimesGoodAndFailing) {
    Reference();
    ExpectNoGrowth(10000, [&](int i) {  // good on even clicks, overflowing on odd ones
        Enter(Combo4, Box, i % 2 ? L"40000" : L"205");
        Click(Przelicz);
        Pump();
        const bool ok = i % 2 ? errors_.size() == 1 && errors_[0].number == calc::kOverflow
                              : errors_.empty() && Text(srednicanew) == L"631.9";
        errors_.clear();  // the recorded errors are the test's own memory (kept capacity: warmed up)
        return ok && !program_.ended() && IsWindowVisible(Main().hwnd());
    }, 0);
}

}  // namespace
}  // namespace tarvex_test
