#pragma once
// What a click handler sees: its window's control properties and the program's three
// window references. No Windows header, so that the handlers run without windows too.

#include <cstdint>
#include <string>
#include <string_view>

#include "design/form_desc.h"

namespace forms {

// A window as its program-wide reference offers it: created on first use.
class FormHandle {
public:
    virtual void Show() = 0;  // modeless, brought to the front
    virtual void Hide() = 0;  // keeps the window, its contents and its position

protected:
    ~FormHandle() = default;
};

class ProgramHandle {
public:
    virtual FormHandle& Form1() = 0;
    virtual FormHandle& Form2() = 0;
    virtual FormHandle& Form3() = 0;
    virtual void End() = 0;  // every window goes at once; no further click reaches a handler
    // The user's decimal separator as set now, for numbers shown to the user.
    virtual std::wstring DecimalSeparator() const = 0;

protected:
    ~ProgramHandle() = default;
};

// Control properties by the form's control enumerator. Text is a box's text, a combo's
// field or a label's caption. Each throws calc::RuntimeError when the window refuses.
class Controls {
public:
    virtual std::wstring Text(int id) const = 0;
    virtual void SetText(int id, std::wstring_view text) = 0;
    virtual std::int16_t ListIndex(int id) const = 0;  // -1 when no entry is selected
    virtual std::int16_t ListCount(int id) const = 0;
    virtual std::wstring List(int id, int index) const = 0;  // index -1 gives the combo's field
    // A label's text colour instead of its table's, until the window is built anew.
    virtual void SetInk(int id, Rgb ink) = 0;
    virtual ProgramHandle& program() const = 0;

protected:
    ~Controls() = default;
};

}  // namespace forms
