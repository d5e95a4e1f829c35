// tarvex.exe as a user of high contrast sees it, for scripts/screenshots.sh: the same
// program, told that the setting is on.
#include <windows.h>

#include "app/error_box.h"
#include "design/errors.h"
#include "forms/program.h"
#include "ui/about_window.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        forms::Program program(instance, ui::kForm1, ui::kForm2, ui::kForm3, &app::ShowErrorBox);
        program.UseHighContrastQuery([] { return true; });
        return program.Run();
    } catch (...) {
        app::ShowErrorBox(forms::CurrentError(), nullptr);
        return 1;
    }
}
