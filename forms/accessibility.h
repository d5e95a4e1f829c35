#pragma once
// What a screen reader calls the controls that no label names. The names are given only
// when a reader first asks a window for its accessible object, so that a run without one
// never loads COM or the accessibility service.

#include <windows.h>
#include <oleacc.h>

#include <optional>
#include <string_view>

#include "forms/scoped.h"

namespace forms {

// Where the names go: the system's accessibility service, or a stand-in.
class NameService {
public:
    virtual ~NameService() = default;
    virtual void Name(HWND control, std::wstring_view name) = 0;
    virtual void Unname(HWND control) = 0;
};

class Names {
public:
    // A name set for the control's life, taken back before it goes.
    void Name(HWND control, std::wstring_view name);
    void Unname(HWND control);
    void UseService(NameService* service) { standIn_ = service; }  // instead of the system's; null: the system's

private:
    std::optional<ComApartment> com_;  // from the first name on
    ComRef<IAccPropServices> service_;
    NameService* standIn_ = nullptr;
};

}  // namespace forms
