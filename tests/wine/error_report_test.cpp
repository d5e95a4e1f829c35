// The one message box the user ever sees: an error that left a click handler.

#include "harness.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

// What the timer found in the message box; the timer procedure has no other way back.
struct SeenBox {
    int boxes = 0;
    std::wstring caption, text;
    bool ownedByMain = false;
};
SeenBox* seen = nullptr;
HWND mainWindow = nullptr;

BOOL CALLBACK FindBox(HWND hwnd, LPARAM) {
    wchar_t cls[16] = {};
    GetClassNameW(hwnd, cls, 16);
    if (std::wstring(cls) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
    ++seen->boxes;
    seen->caption = Window(hwnd).Text();
    seen->text = Window(hwnd).Child(0xFFFF).Text();
    seen->ownedByMain = GetWindow(hwnd, GW_OWNER) == mainWindow;
    PostMessageW(hwnd, WM_COMMAND, IDOK, 0);  // the user presses OK
    return FALSE;
}

void CALLBACK PressOk(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), FindBox, 0);
    if (seen->boxes) KillTimer(nullptr, timer);
}

TEST(ErrorReport, IsAMessageBoxCaptionedTarvexAndTheProgramGoesOn) {
    app::Program program(GetModuleHandleW(nullptr), ui::kForm1, ui::kForm2, ui::kForm3);  // the real report
    program.Form1->Show();
    app::Form& form = program.Form1.get();
    SeenBox box;
    seen = &box;
    mainWindow = form.hwnd();
    Combo(form.control(Combo4)).Select(10);  // "inna"
    Window(form.control(Text4)).SetText(L"40000");
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, PressOk);  // fires inside the box's own loop
    Window(form.control(Przelicz)).Click();
    KillTimer(nullptr, timer);

    EXPECT_EQ(box.boxes, 1);
    EXPECT_EQ(box.caption, L"Tarvex");
    EXPECT_NE(box.text.find(L"6"), std::wstring::npos) << std::string(box.text.begin(), box.text.end());
    EXPECT_NE(box.text.find(L"Przepełnienie"), std::wstring::npos);
    EXPECT_TRUE(box.ownedByMain);
    EXPECT_FALSE(program.ended());
    EXPECT_TRUE(IsWindowVisible(form.hwnd()));
    EXPECT_EQ(form.Text(srdnicaakt), L"385.8");  // written before the error
    seen = nullptr;
}

}  // namespace
}  // namespace tarvex_test
