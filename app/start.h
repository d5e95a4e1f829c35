#pragma once
// The program's start: its three windows run as one program, and whatever fails before
// the first window shows is told like any other error.

#include <windows.h>

#include "design/form_desc.h"
#include "forms/program.h"

namespace app {

// The exit code: the program's own, or 1 when it could not start. Never throws.
int RunProgram(HINSTANCE instance, const forms::FormDesc& main, const forms::FormDesc& about,
               const forms::FormDesc& help, const forms::ErrorReport& report) noexcept;

}  // namespace app
