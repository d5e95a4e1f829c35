#include "design/errors.h"

#include <cwchar>
#include <exception>
#include <new>

namespace forms {

calc::RuntimeError WindowFailure(std::wstring_view what, unsigned long code) {
    // An HRESULT reads best in hexadecimal, as the system's documentation lists them.
    wchar_t number[16];
    swprintf(number, 16, code > 0xFFFF ? L"0x%08lX" : L"%lu", code);
    return {kWindowFailure, L"Nie udało się " + std::wstring(what) + L" (kod systemu " + number + L")"};
}

std::wstring ReportText(const calc::RuntimeError& error) {
    std::wstring text = L"Błąd wykonania nr " + std::to_wstring(error.number) + L":\n\n" + error.description;
    if (!error.detail.empty()) text += L"\n\n" + error.detail;
    return text;
}

calc::RuntimeError CurrentError() noexcept {
    try {
        try {
            throw;
        } catch (const calc::RuntimeError& error) {
            return error;
        } catch (const std::bad_alloc&) {
            return OutOfMemory();
        } catch (const std::exception& e) {
            std::wstring text;
            for (const char* c = e.what(); *c; ++c) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
            return InternalError(text);
        } catch (...) {
            return InternalError(L"nieznany wyjątek");
        }
    } catch (...) {  // not even the description could be made
        return {kOutOfMemory, {}};
    }
}

}  // namespace forms
