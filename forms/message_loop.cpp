// The event loop: the one place where the program waits for the user.

#include "design/errors.h"
#include "forms/program.h"

namespace forms {

int Program::Run() {
    try {
        form1_.Show();
    } catch (...) {
        Report(CurrentError());
        return 1;
    }
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        try {
            // Tab, Shift+Tab and arrow keys move the focus as in a dialog.
            HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
            if (root && IsFormWindow(root) && IsDialogMessageW(root, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } catch (...) {  // the window procedures catch their own; this is the last line
            Report(CurrentError());
        }
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace forms
