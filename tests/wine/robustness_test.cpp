// Hostile input and long repetition on the real windows.

#include <windows.h>
#include <psapi.h>

#include <array>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "calc/tyre.h"
#include "harness.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

constexpr int kCombos[] = {Combo1, Combo2, Combo3, Combo4, Combo5, Combo6};
constexpr int kBoxes[] = {Text1, Text2, Text3, Text4, Text5, Text6};
// Everything "Przelicz" writes, in the order it writes it.
constexpr int kResults[] = {srdnicaakt, srednicanew, roznica, procentbl,
                            Label21_1, Label22, Label23, Label24, Label25, Label26};
// Put into every result before a click: whatever still shows it was not written.
constexpr wchar_t kUnwritten[] = L"?";

constexpr int BoxOf(int combo) { return combo + Text1 - Combo1; }
// 1 for Combo1 and Text1, ... 6 for Combo6 and Text6.
constexpr int NumberOf(int combo) { return combo >= Combo4 ? combo - Combo4 + 4 : combo - Combo1 + 1; }

// For traces: hostile texts can be a megabyte long or unprintable.
std::string Describe(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text.substr(0, 24)) {
        if (c >= 0x20 && c < 0x7F) {
            out.push_back(static_cast<char>(c));
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\u%04X", static_cast<unsigned>(c));
            out += hex;
        }
    }
    if (text.size() > 24) out += "... (" + std::to_string(text.size()) + " characters)";
    return out;
}

// Where a text goes: the box behind "inna"/"inny", or the combo's own field.
enum class Where { Box, Field };

struct Hostile {
    const char* what;
    std::wstring text;
    std::optional<std::int16_t> value;  // what the dimension reads as; none: overflow (6)
};

// Wine's edit control lays out a run of digits in time quadratic in the run's length
// (its script itemization): a megabyte would take it about half an hour to take in.
// There the digit runs are 16 KiB long; every other long text is a megabyte.
size_t DigitRunLength() {
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine ? size_t{1} << 14 : size_t{1} << 20;
}

std::vector<Hostile> HostileTexts() {
    constexpr size_t kMegabyte = size_t{1} << 20;
    const std::wstring digits(DigitRunLength(), L'7');
    const std::wstring nines(1000, L'9');
    const std::wstring zeros(1000, L'0');
    std::wstring alternating;
    for (size_t i = 0; i < kMegabyte / 2; ++i) alternating += L"7x";
    return {
        {"a digit run", digits, std::nullopt},
        {"minus and a digit run", L"-" + digits, std::nullopt},
        {"a run of zeros, then 5", std::wstring(DigitRunLength(), L'0') + L"5", 5},
        {"0. and a run of nines", L"0." + std::wstring(DigitRunLength(), L'9'), 1},
        {"a megabyte of spaces, then 7", std::wstring(kMegabyte, L' ') + L"7", 7},
        {"a megabyte of tabs, then -7", std::wstring(kMegabyte, L'\t') + L"-7", -7},
        {"7, then a megabyte of letters", L"7" + std::wstring(kMegabyte, L'x'), 7},
        {"a megabyte of digits and letters", alternating, 7},
        {"a megabyte of points", std::wstring(kMegabyte, L'.'), 0},
        {"a megabyte of minus signs", std::wstring(kMegabyte, L'-'), 0},
        {"a megabyte of \\x01", std::wstring(kMegabyte, L'\x01'), 0},
        {"a megabyte of lone surrogates", std::wstring(kMegabyte, L'\xD800'), 0},
        {"a megabyte of full-width letters", std::wstring(kMegabyte, L'\xFF21'), 0},
        {"1e400", L"1e400", std::nullopt},
        {"-1e400", L"-1e400", std::nullopt},
        {"1e-400", L"1e-400", 0},
        {"spaces, -0", L"  -0", 0},
        {"plus alone", L"+", 0},
        {"point alone", L".", 0},
        {"-.5e", L"-.5e", 0},  // -0.5, half to even
        {"2.5", L"2.5", 2},
        {"-2.5", L"-2.5", -2},
        {"full-width digits", L"\uFF11\uFF19\uFF15", 0},
        {"full-width after a digit", L"5\uFF11", 5},
        {"Arabic-Indic digits", L"\u0661\u0669\u0665", 0},
        {"Devanagari digits", L"\u0967\u096F", 0},
        {"no-break space first", L"\u00A05", 0},
        {"right-to-left mark first", L"\u200F5", 0},
        {"tab first", L"\t195", 195},
        {"tab after", L"195\t", 195},
        {"CR LF first", L"\r\n195", 0},
        {"CR LF inside", L"19\r\n5", 19},
        {"\\x01 first", L"\x01" L"5", 0},
        {"\\x01 after", L"5\x01", 5},
        {"DEL first", L"\x7F" L"5", 0},
        {"DEL after", L"5\x7F", 5},
        {"lone high surrogate", L"\xD800", 0},
        {"lone low surrogate", L"\xDC00", 0},
        {"digits, lone surrogate", L"15\xD800" L"9", 15},
        {"a thousand-digit exponent", L"1e" + nines, std::nullopt},
        {"a thousand-digit negative exponent", L"1e-" + nines, 0},
        {"zero with a thousand-digit exponent", L"0e" + nines, 0},
        {"exponent with a thousand leading zeros", L"1e+" + zeros + L"2", 100},
        {"twenty-digit exponent", L"1e99999999999999999999", std::nullopt},
        {"exponent without digits", L"7e+", 7},
        {"1E4", L"1E4", 10000},
        {"4e4", L"4e4", std::nullopt},
        {"0.0001e5", L"0.0001e5", 10},
        {"32767.5", L"32767.5", std::nullopt},  // rounds to 32768
        {"32767.4999999", L"32767.4999999", 32767},
        {"32766.5", L"32766.5", 32766},
        {"-32768.5", L"-32768.5", -32768},  // to even, inside the range
        {"-32768.5000001", L"-32768.5000001", std::nullopt},
        {"-32769.5", L"-32769.5", std::nullopt},
        {"39999.99", L"39999.99", std::nullopt},
        {"40000", L"40000", std::nullopt},
        {"-40000", L"-40000", std::nullopt},
        {"largest double", L"1.7976931348623157e308", std::nullopt},
        {"past the largest double", L"1.8e308", std::nullopt},
        {"smallest subnormal", L"4.9e-324", 0},
        {"NaN", L"NaN", 0},
        {"-inf", L"-inf", 0},
        {"hexadecimal", L"0x7FFF", 0},
        {"comma", L"1,5", 1},
        {"thousands gap", L"1 000", 1},
        {"two points", L"1.2.3", 1},
        {"two signs", L"+-5", 0},
        {"plus sign", L" +5", 5},
    };
}

// What the user has entered: each combo's selection and field, and each box.
struct Inputs {
    std::vector<int> selected;
    std::vector<std::wstring> texts;  // Combo1..6 fields, then Text1..6
    bool operator==(const Inputs&) const = default;
};

std::string FirstDifference(const Inputs& a, const Inputs& b) {
    for (size_t i = 0; i < a.selected.size(); ++i)
        if (a.selected[i] != b.selected[i])
            return "Combo" + std::to_string(i + 1) + " selection " + std::to_string(a.selected[i]) + " became " +
                   std::to_string(b.selected[i]);
    for (size_t i = 0; i < a.texts.size(); ++i)
        if (a.texts[i] != b.texts[i])
            return (i < 6 ? "Combo" : "Text") + std::to_string(i % 6 + 1) + " \"" + Describe(a.texts[i]) +
                   "\" became \"" + Describe(b.texts[i]) + "\"";
    return "none";
}

class Robustness : public ProgramTest {
protected:
    // Current 195/65 R15, new 205/55 R16, each from its list; the boxes empty.
    void Reference() {
        ChooseSize(Combo1, L"195", L"65", L"15");
        ChooseSize(Combo4, L"205", L"55", L"16");
        for (int box : kBoxes) Put(box, L"");
    }
    static calc::TyreSize ReferenceSize(bool current) {
        return current ? calc::TyreSize{195, 65, 15} : calc::TyreSize{205, 55, 16};
    }

    // Short printable texts are typed key by key; the rest arrive whole, as a paste does.
    void Enter(int combo, Where where, const std::wstring& text) {
        if (where == Where::Box) {
            ChooseOther(combo);
            Put(BoxOf(combo), text);
            return;
        }
        HWND edit = ComboEdit(Control(combo));
        bool typeable = text.size() <= 64;
        for (wchar_t c : text) typeable = typeable && c >= 0x20 && c != 0x7F && (c < 0xD800 || c > 0xDFFF);
        if (typeable) {
            Type(edit, text);
        } else {
            // Setting the field's text keeps the selection, unlike typing: clear it first
            // (which also empties the field).
            SendMessageW(Control(combo), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            SetWindowTextW(edit, text.c_str());
        }
    }

    Inputs Snapshot() {
        Inputs inputs;
        for (int combo : kCombos) {
            inputs.selected.push_back(Main().ListIndex(combo));
            inputs.texts.push_back(Text(combo));
        }
        for (int box : kBoxes) inputs.texts.push_back(Text(box));
        return inputs;
    }

    void MarkResultsUnwritten() {
        for (int id : kResults) Main().SetText(id, kUnwritten);
    }
    std::vector<std::wstring> Results() {
        std::vector<std::wstring> texts;
        for (int id : kResults) texts.push_back(Text(id));
        return texts;
    }

    std::wstring Diameter(calc::TyreSize size) {
        return calc::NumberToText(calc::WheelDiameter(size), app::DecimalSeparator());
    }

    // One hostile text in one place: the click computes or reports one overflow, the
    // program goes on, and every input stays as entered.
    void Check(const Hostile& h, int combo, Where where) {
        errors_.clear();
        Reference();
        Enter(combo, where, h.text);
        const int shownIn = where == Where::Box ? BoxOf(combo) : combo;
        ASSERT_TRUE(Text(shownIn) == h.text) << "entered as \"" << Describe(Text(shownIn)) << "\"";
        ASSERT_EQ(Main().ListIndex(combo), where == Where::Box ? Main().ListCount(combo) - 1 : -1);
        MarkResultsUnwritten();
        const Inputs before = Snapshot();

        Click(Przelicz);
        Pump();

        EXPECT_FALSE(program_.ended());
        EXPECT_TRUE(IsWindowVisible(Main().hwnd()));
        const Inputs after = Snapshot();
        EXPECT_TRUE(after == before) << FirstDifference(before, after);

        const bool current = combo <= Combo3;
        const std::vector<std::wstring> results = Results();
        if (h.value) {
            EXPECT_TRUE(errors_.empty()) << "error " << errors_.front().number;
            calc::TyreSize size = ReferenceSize(current);
            std::int16_t* dimensions[] = {&size.width, &size.profile, &size.rim};
            *dimensions[(NumberOf(combo) - 1) % 3] = *h.value;
            EXPECT_EQ(results[current ? 0 : 1], Diameter(size));
            EXPECT_EQ(results[current ? 1 : 0], Diameter(ReferenceSize(!current)));
            for (const std::wstring& r : results) EXPECT_NE(r, kUnwritten);
        } else {
            ASSERT_EQ(errors_.size(), 1u);
            EXPECT_EQ(errors_[0].number, calc::kOverflow);
            // Reading the current size fails before anything is written; the new size
            // fails after the current diameter.
            std::vector<std::wstring> expected(std::size(kResults), kUnwritten);
            if (!current) expected[0] = Diameter(ReferenceSize(true));
            EXPECT_EQ(results, expected);
        }
    }
};

TEST_F(Robustness, HostileTextsInEveryPairedBox) {
    for (const Hostile& h : HostileTexts())
        for (int combo : kCombos) {
            SCOPED_TRACE(testing::Message() << h.what << " in Text" << NumberOf(combo));
            Check(h, combo, Where::Box);
        }
}

TEST_F(Robustness, HostileTextsInEveryComboField) {
    for (const Hostile& h : HostileTexts())
        for (int combo : kCombos) {
            SCOPED_TRACE(testing::Message() << h.what << " in the field of Combo" << NumberOf(combo));
            Check(h, combo, Where::Field);
        }
}

TEST_F(Robustness, HostileTextInABoxCountsOnlyBehindTheLastEntry) {
    Reference();
    for (int box : kBoxes) Put(box, L"1e400");
    const Inputs before = Snapshot();
    Click(Przelicz);
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(Text(srednicanew), Diameter(ReferenceSize(false)));
    EXPECT_TRUE(Snapshot() == before);
}

// One selector as the user set it: a list entry, a value in the paired box, or a
// value typed into the combo's field.
struct Input {
    enum How { Entry, Box, Field } how;
    const wchar_t* text;
};
constexpr Input E(const wchar_t* t) { return {Input::Entry, t}; }
constexpr Input B(const wchar_t* t) { return {Input::Box, t}; }
constexpr Input F(const wchar_t* t) { return {Input::Field, t}; }

TEST_F(Robustness, EveryRowOfTheFailureTable) {
    constexpr const wchar_t* u = nullptr;  // not written
    const struct {
        const char* what;
        std::array<Input, 6> inputs;  // Combo1..6
        int error;                    // 0: none
        std::array<const wchar_t*, 10> written;  // as kResults
    } rows[] = {
        // Overflow while reading the current size: nothing is written.
        {"current width 40000 in its box", {B(L"40000"), E(L"65"), E(L"15"), E(L"205"), E(L"55"), E(L"16")},
         6, {u, u, u, u, u, u, u, u, u, u}},
        {"current profile 32768 typed", {E(L"195"), F(L"32768"), E(L"15"), E(L"205"), E(L"55"), E(L"16")},
         6, {u, u, u, u, u, u, u, u, u, u}},
        {"current rim -32769 in its box", {E(L"195"), E(L"65"), B(L"-32769"), E(L"205"), E(L"55"), E(L"16")},
         6, {u, u, u, u, u, u, u, u, u, u}},
        {"both sizes too large: one report", {B(L"40000"), E(L"65"), E(L"15"), B(L"40000"), E(L"55"), E(L"16")},
         6, {u, u, u, u, u, u, u, u, u, u}},
        // Overflow while reading the new size: only the current diameter is written.
        {"new width 1e5 typed", {E(L"195"), E(L"65"), E(L"15"), F(L"1e5"), E(L"55"), E(L"16")},
         6, {L"634.5", u, u, u, u, u, u, u, u, u}},
        {"new profile 32767.5 in its box", {E(L"195"), E(L"65"), E(L"15"), E(L"205"), B(L"32767.5"), E(L"16")},
         6, {L"634.5", u, u, u, u, u, u, u, u, u}},
        {"new rim -40000 typed", {E(L"195"), E(L"65"), E(L"15"), E(L"205"), E(L"55"), F(L"-40000")},
         6, {L"634.5", u, u, u, u, u, u, u, u, u}},
        // Degenerate diameters.
        {"current 0, new positive: the speed factor divides by 0",
         {B(L"0"), E(L"65"), B(L"0"), E(L"195"), E(L"65"), E(L"15")},
         11, {L"0", L"634.5", L"634.5", L"-100", u, u, u, u, u, u}},
        {"new 0", {E(L"195"), E(L"65"), E(L"15"), B(L"0"), E(L"65"), B(L"0")},
         0, {L"634.5", L"0", L"-634.5", L"-100", L"0", L"0", L"0", L"0", L"0", L"0"}},
        {"both 0: 0/0 in the error ratio", {B(L"0"), E(L"65"), B(L"0"), F(L"0"), E(L"65"), F(L"0")},
         6, {L"0", L"0", L"0", u, u, u, u, u, u, u}},
        {"new negative, current 0: the error ratio divides by 0",
         {B(L"0"), E(L"65"), B(L"0"), B(L"0"), E(L"65"), B(L"-1")},
         11, {L"0", L"-25.4", L"-25.4", u, u, u, u, u, u, u}},
        {"current negative, new 0", {B(L"0"), E(L"65"), B(L"-1"), B(L"0"), E(L"65"), B(L"0")},
         0, {L"-25.4", L"0", L"25.4", L"-100", L"0", L"0", L"0", L"0", L"0", L"0"}},
        {"current negative, new positive", {F(L"0"), E(L"65"), F(L"-1"), E(L"195"), E(L"65"), E(L"15")},
         0, {L"-25.4", L"634.5", L"659.9", L"-104.003152088258", L"-1249.0157480315", L"-1498.8188976378",
             L"-1998.42519685039", L"-2248.22834645669", L"-2498.03149606299", L"-3747.04724409449"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        errors_.clear();
        Reference();
        for (size_t i = 0; i < row.inputs.size(); ++i) {
            const Input& in = row.inputs[i];
            if (in.how == Input::Entry) ChooseEntry(kCombos[i], in.text);
            if (in.how == Input::Box) Enter(kCombos[i], Where::Box, in.text);
            if (in.how == Input::Field) Enter(kCombos[i], Where::Field, in.text);
        }
        MarkResultsUnwritten();
        const Inputs before = Snapshot();
        Click(Przelicz);

        EXPECT_EQ(errors_.size(), row.error ? 1u : 0u);
        if (row.error && !errors_.empty()) {
            EXPECT_EQ(errors_[0].number, row.error);
        }
        std::vector<std::wstring> expected;
        for (const wchar_t* w : row.written) expected.push_back(w ? w : kUnwritten);
        EXPECT_EQ(Results(), expected);
        EXPECT_FALSE(program_.ended());
        EXPECT_TRUE(IsWindowVisible(Main().hwnd()));
        EXPECT_TRUE(Snapshot() == before);
    }
}

// ---------------------------------------------------------------------------------
// Repetition

struct Usage {
    long long gdiObjects = 0, userObjects = 0;
    long long privateBytes = 0;
    long long heapBytes = 0;  // in use in every heap of the process
};

// Wine answers GetGuiResources with 0 (ERROR_CALL_NOT_IMPLEMENTED). Its handle tables
// take a handle's bare 16-bit index for any generation of the handle, so there the
// live objects are found by trying every index.
long long ProbeGdiObjects() {
    long long n = 0;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++n;
    return n;
}

// USER handles are even numbers from 0x20. Windows are known to every process, so
// only this process's own count; menus, icons and cursors are per process.
long long ProbeUserObjects() {
    const DWORD self = GetCurrentProcessId();
    HDC dc = CreateCompatibleDC(nullptr);
    long long n = 0;
    for (ULONG_PTR index = 0x20; index <= 0xFFFE; index += 2) {
        HWND window = reinterpret_cast<HWND>(index);
        DWORD owner = 0;
        if (IsWindow(window)) {
            if (GetWindowThreadProcessId(window, &owner) && owner == self) ++n;
        } else if (IsMenu(reinterpret_cast<HMENU>(index)) ||
                   DrawIconEx(dc, 0, 0, reinterpret_cast<HICON>(index), 1, 1, 0, nullptr, DI_NORMAL)) {
            ++n;
        }
    }
    DeleteDC(dc);
    return n;
}

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

struct UsageSources {
    bool guiResources = false;  // false: counted by probing the handle tables
    bool privateUsage = false;  // false: PagefileUsage
};

Usage Measure(UsageSources& sources) {
    Pump();
    Usage u;
    const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    sources.guiResources = gdi != 0 && user != 0;
    u.userObjects = sources.guiResources ? user : ProbeUserObjects();
    u.gdiObjects = sources.guiResources ? gdi : ProbeGdiObjects();

    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    // Wine fills only the basic counters (PrivateUsage stays 0); its PagefileUsage is
    // the process's anonymous memory, as on Windows, where it equals PrivateUsage.
    sources.privateUsage = memory.PrivateUsage != 0;
    u.privateBytes = static_cast<long long>(sources.privateUsage ? memory.PrivateUsage : memory.PagefileUsage);
    u.heapBytes = HeapBytesInUse();
    return u;
}

// Wine's common-controls static control keeps a 24-byte record of its font and frees it
// only for icon statics, so every text label that is given a font and then destroyed
// leaves it behind. Measured here, on labels of the same kind, so that the program is
// charged only with its own memory; on Windows this is 0.
long long PlatformBytesLeftPerLabel() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
    const auto label = [&] {
        HWND h = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 10, 10,
                                 parent, nullptr, instance, nullptr);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        DestroyWindow(h);
    };
    label();
    constexpr int kLabels = 100;
    const long long before = HeapBytesInUse();
    for (int i = 0; i < kLabels; ++i) label();
    const long long left = HeapBytesInUse() - before;
    DestroyWindow(parent);
    return left / kLabels;
}

int LabelsOf(const app::FormDesc& form) {
    int labels = 0;
    for (const app::ControlDesc& c : form.controls) labels += c.kind == app::Kind::Label;
    return labels;
}

// The heap figure is exact: 4 KiB leaves room for a platform cache entry or two, and is
// below one leaked block of 8 bytes per cycle (1,000 cycles) or per two clicks (10,000).
// The private bytes move in pages and in the heap's committed extensions, so they get
// 512 KiB: still less than any leak of a picture, a DIB or a window's structures.
constexpr long long kHeapTolerance = 4 * 1024;
constexpr long long kPrivateTolerance = 512 * 1024;

class Repetition : public ProgramTest {
protected:
    // platformShare: heap bytes the platform itself is known to leave behind.
    void Check(const Usage& before, const Usage& after, const UsageSources& sources, long long platformShare) {
        const struct {
            const char* name;
            long long before, after;
        } figures[] = {{"gdi_objects", before.gdiObjects, after.gdiObjects},
                       {"user_objects", before.userObjects, after.userObjects},
                       {"private_bytes", before.privateBytes, after.privateBytes},
                       {"heap_bytes_in_use", before.heapBytes, after.heapBytes}};
        std::cout << "[ figures  ] GDI/USER objects from "
                  << (sources.guiResources ? "GetGuiResources" : "probing the handle tables (GetGuiResources: 0)")
                  << "; private bytes from "
                  << (sources.privateUsage ? "PrivateUsage" : "PagefileUsage (PrivateUsage: 0)") << "\n";
        for (const auto& f : figures) {
            std::cout << "[ figures  ] " << f.name << ": " << f.before << " -> " << f.after << " ("
                      << (f.after >= f.before ? "+" : "") << f.after - f.before << ")\n";
            RecordProperty(std::string(f.name) + "_before", std::to_string(f.before));
            RecordProperty(std::string(f.name) + "_after", std::to_string(f.after));
        }
        std::cout << "[ figures  ] of which the platform's own leak: " << platformShare << " bytes\n";
        RecordProperty("gui_objects_from", sources.guiResources ? "GetGuiResources" : "handle table probe");
        RecordProperty("private_bytes_from", sources.privateUsage ? "PrivateUsage" : "PagefileUsage");
        RecordProperty("platform_heap_share", std::to_string(platformShare));

        EXPECT_LE(after.gdiObjects, before.gdiObjects);
        EXPECT_LE(after.userObjects, before.userObjects);
        EXPECT_LE(after.heapBytes - before.heapBytes - platformShare, kHeapTolerance);
        EXPECT_LE(after.privateBytes - before.privateBytes - platformShare, kPrivateTolerance);
    }
};

TEST_F(Repetition, AboutAndHelpOpenHideAndCloseAThousandTimes) {
    const struct {
        int button;
        app::FormRef& form;
        int close;
    } windows[] = {{Command2, program_.Form2, ui::form2::Command201}, {Command3, program_.Form3, ui::form3::Command301}};
    // Open, hide with the window's own button, open again, close with the title-bar close.
    const auto cycle = [&]() -> bool {
        for (const auto& w : windows) {
            Click(w.button);
            HWND shown = w.form->hwnd();
            if (!shown || !IsWindowVisible(shown)) {
                ADD_FAILURE() << "not shown";
                return false;
            }
            Click(w.form.get(), w.close);
            if (IsWindowVisible(shown) || !IsWindow(shown)) {
                ADD_FAILURE() << "not hidden, or gone";
                return false;
            }
            Click(w.button);
            if (w.form->hwnd() != shown || !IsWindowVisible(shown)) {
                ADD_FAILURE() << "the hidden window did not come back";
                return false;
            }
            SendMessageW(shown, WM_SYSCOMMAND, SC_CLOSE, 0);
            Pump();
            if (IsWindow(shown) || w.form->loaded()) {
                ADD_FAILURE() << "the closed window still exists";
                return false;
            }
        }
        return !program_.ended() && IsWindowVisible(Main().hwnd()) && errors_.empty();
    };

    const long long perLabel = PlatformBytesLeftPerLabel();
    UsageSources sources;
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(cycle());
    const Usage before = Measure(sources);
    constexpr int kCycles = 1000;
    for (int i = 0; i < kCycles; ++i) ASSERT_TRUE(cycle()) << "cycle " << i;
    const Usage after = Measure(sources);
    Check(before, after, sources, kCycles * (LabelsOf(ui::kForm2) + LabelsOf(ui::kForm3)) * perLabel);
}

TEST_F(Repetition, PrzeliczTenThousandTimesGoodAndFailing) {
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseOther(Combo4);
    ChooseEntry(Combo5, L"55");
    ChooseEntry(Combo6, L"16");
    errors_.reserve(1);
    const auto click = [&](int i) -> bool {
        const bool good = i % 2 == 0;
        Put(Text4, good ? L"205" : L"40000");
        Click(Przelicz);
        Pump();
        const bool ok = good ? errors_.empty() && Text(srednicanew) == L"631.9"
                             : errors_.size() == 1 && errors_[0].number == calc::kOverflow;
        errors_.clear();  // the recorded errors are the test's own memory
        if (!ok) ADD_FAILURE() << "click " << i << (good ? " (good)" : " (failing)");
        return ok && !program_.ended() && IsWindowVisible(Main().hwnd());
    };

    UsageSources sources;
    for (int i = 0; i < 200; ++i) ASSERT_TRUE(click(i));
    const Usage before = Measure(sources);
    for (int i = 0; i < 10000; ++i) ASSERT_TRUE(click(i)) << "click " << i;
    const Usage after = Measure(sources);
    Check(before, after, sources, 0);
}

}  // namespace
}  // namespace tarvex_test
