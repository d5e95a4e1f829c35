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

#include "forms/form.h"
#include "forms/window.h"
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
        HWND h = FindWindowW(forms::Form::kWindowClass, caption);
        if (h && IsWindowVisible(h)) return h;
        if (GetTickCount64() > until) Fail("the window did not appear");
        Sleep(100);
    }
}

HWND Main() { return Wait(L"Tarvex zamienników opon samochodowych v1.2 by ZELT"); }

forms::Window Control(HWND form, int id) {
    const forms::Window control = forms::Window(form).Child(forms::Form::kFirstControlId + id);
    if (!control) Fail("no such control");
    return control;
}

// A click, unlike the other messages, waits for what it opens: time-limited, so that a
// message box or a hung program ends the run instead of blocking it.
void Press(HWND form, int button) {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(Control(form, button).hwnd(), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kPatienceMs, &ignored))
        Fail("the program did not answer");
}

void Choose(HWND form, int combo, const wchar_t* entry) {
    const forms::Combo box = Control(form, combo);
    const int index = box.Find(entry);
    if (index < 0 || !box.Select(index)) Fail("no such list entry");
}

void Print(HWND h) {
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const RECT r = forms::Window(h).Rect();
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
