// tarvex.exe: the three windows wired into the forms runtime, errors shown in a message box.

#include <windows.h>

#include "app/error_box.h"
#include "app/start.h"
#include "ui/about_window.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return app::RunProgram(instance, ui::kForm1, ui::kForm2, ui::kForm3, &app::ShowErrorBox);
}
