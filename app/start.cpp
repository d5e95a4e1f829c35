#include "app/start.h"

#include "design/errors.h"

namespace app {

int RunProgram(HINSTANCE instance, const forms::FormDesc& main, const forms::FormDesc& about,
               const forms::FormDesc& help, const forms::ErrorReport& report) noexcept {
    try {
        forms::Program program(instance, main, about, help, report);
        return program.Run();
    } catch (...) {  // no window yet to tell it over
        const calc::RuntimeError error = forms::CurrentError();
        try {
            report(error, nullptr);
        } catch (...) {
        }
        return 1;
    }
}

}  // namespace app
