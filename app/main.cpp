#include <windows.h>

#include "app/program.h"
#include "ui/about_window.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    app::Program program(instance, ui::kForm1, ui::kForm2, ui::kForm3);
    return program.Run();
}
