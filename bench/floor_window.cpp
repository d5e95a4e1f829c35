// The yardstick for tarvex.exe in scripts/bench.sh: the main window's controls, styles,
// places, fonts, picture-sized background and common controls v6, in plain Win32 calls,
// without tables, forms runtime, artwork drawing or font checks. Its "Przelicz" does
// what any program's must: read the six selections and write the ten results and the three
// lines of the verdict of 195/65 R15 -> 205/55 R16, the band's line in green. Closes itself a few seconds after the last click.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "self_closing.h"

namespace {

constexpr wchar_t kClassName[] = L"TarvexFloorWindow";
constexpr int kPictureWidth = 700, kPictureHeight = 501;
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kBox = WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;

HDC background;  // a memory DC holding the picture-sized bitmap
HFONT regular, bold;
// What a click reads and writes.
HWND combos[6], results[4], speeds[6], verdict[3], calculate;
ULONGLONG lastClick;
int nextId = 100;  // ids in creation order, which is the probe's order for the combos

HWND Add(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, HFONT font,
         DWORD exStyle = 0) {
    HWND control = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++)), nullptr, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

// 6 combos, 10 boxes, 48 labels and 4 buttons, where the main window has them.
void AddControls(HWND w) {
    // Widths, profiles and rims, with the program's entries (the rest null) and first texts.
    constexpr const wchar_t* kEntries[3][11] = {
        {L"145", L"155", L"165", L"175", L"185", L"195", L"205", L"215", L"225", L"235", L"inna"},
        {L"35", L"40", L"45", L"50", L"55", L"60", L"65", L"70", L"80", L"82", L"inny"},
        {L"13", L"14", L"15", L"16", L"17", L"18", L"19", L"20", L"inna"}};
    constexpr const wchar_t* kFirstTexts[] = {L"135", L"30", L"12"};
    HWND* combo = combos;
    for (int top : {104, 240}) {
        Add(w, L"STATIC", L"Wybierz rozmiar opony", kLabel, 8, top, 257, 17, bold);
        for (int column = 0; column < 3; ++column) {
            const int x = 16 + 88 * column;
            Add(w, L"STATIC", L"szerokość", kLabel, x, top + 32, 73, 17, regular);
            // The height includes room for the open list, as the program gives it.
            *combo = Add(w, L"COMBOBOX", L"", WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, x, top + 48, 73,
                         21 + 160, regular);
            for (const wchar_t* entry : kEntries[column])
                if (entry) SendMessageW(*combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
            SetWindowTextW(*combo++, kFirstTexts[column]);
            Add(w, L"EDIT", L"", kBox, x, top + 80, 73, 19, regular, WS_EX_CLIENTEDGE);
        }
    }
    Add(w, L"STATIC", L"INFO", kLabel, 384, 96, 49, 25, bold);
    HWND* result = results;
    for (int top : {128, 168, 208, 240}) {
        Add(w, L"STATIC", L"Średnica koła z aktualnym rozmiarem", kLabel, 304, top, 137, 33, regular);
        *result++ = Add(w, L"EDIT", L"0", kBox, 448, top, 41, 19, bold, WS_EX_CLIENTEDGE);
        Add(w, L"STATIC", L"mm", kLabel, 496, top + 8, 17, 17, regular);
    }
    Add(w, L"STATIC", L"wskazanie prędkościomierza", kLabel, 304, 280, 169, 25, regular);
    Add(w, L"STATIC", L"rzeczywista prędkość:", kLabel, 472, 280, 169, 25, regular);
    HWND* speed = speeds;
    for (int top = 304; top < 304 + 6 * 24; top += 24) {  // the speed table: reading, unit, actual speed, unit
        Add(w, L"STATIC", L"100", kLabel, 336, top, 25, 17, bold);
        Add(w, L"STATIC", L"km/h", kLabel, 360, top, 57, 17, regular);
        *speed++ = Add(w, L"STATIC", L"100", kLabel, 488, top, 41, 17, bold);
        Add(w, L"STATIC", L"km/h", kLabel, 520, top, 49, 17, regular);
    }
    for (auto [text, x] : {std::pair{L"Przelicz", 8}, {L"O programie ...", 240}, {L"Pomoc", 352}, {L"Zakończ", 600}}) {
        HWND button = Add(w, L"BUTTON", text, WS_TABSTOP | BS_PUSHBUTTON, x, 464, 89, 25, x == 8 ? bold : regular);
        if (x == 8) calculate = button;
    }
    Add(w, L"STATIC", L"Ocena zamiennika", kLabel, 8, 342, 265, 17, bold);
    constexpr int kVerdictTops[] = {359, 377, 404}, kVerdictHeights[] = {17, 27, 27};
    for (int i = 0; i < 3; ++i)
        verdict[i] = Add(w, L"STATIC", L"", kLabel, 16, kVerdictTops[i], 265, kVerdictHeights[i], regular);
    Add(w, L"STATIC", L"Indeks nośności i prędkości nie niższy niż w dokumentach pojazdu.", kLabel, 16, 435, 265, 27, regular);
}

// The results are fixed: computing them is not what is being timed. The labels are
// transparent, so the picture under them is erased too, with one repaint request for
// all six, left to the next paint as a program would.
void Calculate(HWND w) {
    constexpr const wchar_t* kResults[] = {L"634.5", L"631.9", L"-2.6", L"0.41"};
    constexpr const wchar_t* kSpeeds[] = {L"49.8", L"59.75", L"79.67", L"89.63", L"99.59", L"149.39"};
    constexpr const wchar_t* kVerdict[] = {L"Zmiana średnicy koła: -0.41 %",
                                           L"W przedziale serwisów oponiarskich: od -2 % do +1.5 %.",
                                           L"Dokładny dziś prędkościomierz zawyży o 0.41 %: R39 na to pozwala."};
    wchar_t entry[16];  // the longest entry has 4 characters
    for (HWND combo : combos) {
        const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (index != CB_ERR)
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry));
    }
    for (int i = 0; i < 4; ++i) SetWindowTextW(results[i], kResults[i]);
    RECT changed{};
    for (int i = 0; i < 9; ++i) {
        const HWND label = i < 6 ? speeds[i] : verdict[i - 6];
        SetWindowTextW(label, i < 6 ? kSpeeds[i] : kVerdict[i - 6]);
        RECT r;
        GetWindowRect(label, &r);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
        UnionRect(&changed, &changed, &r);
    }
    RedrawWindow(w, &changed, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
    lastClick = GetTickCount64();
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, kPictureWidth, kPictureHeight, background, 0, 0, SRCCOPY);
            return 1;
        case WM_CTLCOLORSTATIC:  // transparent labels over the picture, as in the program
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            if (reinterpret_cast<HWND>(lParam) == verdict[1]) SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 100, 0));
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) != calculate || HIWORD(wParam) != BN_CLICKED) break;
            Calculate(hwnd);
            return 0;
        case WM_TIMER:  // a bench run may click for longer than the close timer's period
            if (wParam == bench::kCloseTimer && GetTickCount64() - lastClick < 5000) return 0;
            break;
        default:
            break;
    }
    return bench::CloseOnTimer(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const auto font = [](int weight) {
        return CreateFontW(-11, 0, 0, 0, weight, FALSE, FALSE, FALSE, EASTEUROPE_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
    };
    regular = font(FW_NORMAL);
    bold = font(FW_BOLD);
    // A plain colour where the program draws its artwork.
    const BITMAPINFO bmi{{sizeof(BITMAPINFOHEADER), kPictureWidth, -kPictureHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* pixels = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!picture) return 1;
    std::fill_n(static_cast<std::uint32_t*>(pixels), kPictureWidth * kPictureHeight, 0x00c8d0d4u);
    background = CreateCompatibleDC(nullptr);
    SelectObject(background, picture);
    const WNDCLASSEXW wc{sizeof(WNDCLASSEXW), 0, WindowProc, 0, 0, instance, nullptr, LoadCursorW(nullptr, IDC_ARROW),
                         nullptr, nullptr, kClassName, nullptr};
    if (!RegisterClassExW(&wc)) return 1;
    // The program's frame around the same 699 x 500 client area.
    constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU, kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, 699, 500};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    HWND hwnd = CreateWindowExW(kExStyle, kClassName, L"Floor window", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    AddControls(hwnd);
    ShowWindow(hwnd, show);  // no UpdateWindow: the program, too, paints from its message loop
    return bench::RunUntilClosed(hwnd);
}
