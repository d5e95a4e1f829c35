// Drives a running tarvex.exe for scripts/screenshots.sh, through the messages a
// user's clicks produce. Each command prints the rectangle of the window it leaves in
// front, "left top width height" in screen pixels, or fails with a message.
//
//   drive main         waits for the main window
//   drive reference    current 195/65 R15, new 205/55 R16, then "Przelicz"
//   drive help         "Pomoc", then waits for the Help window
//   drive about        "O programie ...", then waits for the About window
//   drive hide-help    the Help window's "Zamknij"
//   drive quit         "Zakończ"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ui/about_window.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

namespace {

constexpr DWORD kPatienceMs = 30000;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "drive: %s\n", what);
    std::exit(1);
}

// A shown window of the program, by caption.
HWND Wait(const wchar_t* caption) {
    const ULONGLONG until = GetTickCount64() + kPatienceMs;
    for (;;) {
        HWND h = FindWindowW(app::Form::kWindowClass, caption);
        if (h && IsWindowVisible(h)) return h;
        if (GetTickCount64() > until) Fail("the window did not appear");
        Sleep(100);
    }
}

HWND Main() { return Wait(L"Tarvex zamienników opon samochodowych v1.2 by ZELT"); }

HWND Control(HWND form, int id) {
    HWND h = GetDlgItem(form, app::Form::kFirstControlId + id);
    if (!h) Fail("no such control");
    return h;
}

LRESULT Send(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(h, message, wParam, lParam, SMTO_ABORTIFHUNG, kPatienceMs, &result))
        Fail("the program did not answer");
    return static_cast<LRESULT>(result);
}

void Press(HWND form, int button) { Send(Control(form, button), BM_CLICK, 0, 0); }

void Choose(HWND form, int combo, const wchar_t* entry) {
    HWND h = Control(form, combo);
    const LRESULT index = Send(h, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry));
    if (index < 0 || Send(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0) != index) Fail("no such list entry");
}

void Print(HWND h) {
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r;
    GetWindowRect(h, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace ui::form1;
    const std::string_view command = argc == 2 ? argv[1] : "";
    if (command == "main") {
        Print(Main());
    } else if (command == "reference") {
        HWND form = Main();
        Choose(form, Combo1, L"195");
        Choose(form, Combo2, L"65");
        Choose(form, Combo3, L"15");
        Choose(form, Combo4, L"205");
        Choose(form, Combo5, L"55");
        Choose(form, Combo6, L"16");
        Press(form, Przelicz);
        Print(form);
    } else if (command == "help") {
        Press(Main(), Command3);
        Print(Wait(L"Pomoc "));
    } else if (command == "about") {
        Press(Main(), Command2);
        Print(Wait(L"O programie ..."));
    } else if (command == "hide-help") {
        HWND help = Wait(L"Pomoc ");
        Press(help, ui::form3::Command301);
        Print(Main());
    } else if (command == "quit") {
        Press(Main(), Command1);
    } else {
        Fail("usage: drive main|reference|help|about|hide-help|quit");
    }
    return 0;
}
