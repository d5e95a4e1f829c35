#pragma once
// A window described as data: what the forms runtime builds a window from. Positions
// and sizes are in twips (1440 to the inch, 15 to a pixel at 96 dpi) from the top-left
// corner of the client area. No Windows header here: the tables stay plain data.

#include <optional>
#include <span>
#include <string_view>

namespace forms {

class Controls;
using ClickHandler = void (*)(Controls&);

enum class Kind { Label, TextBox, ComboBox, Button };

// Mouse pointers: System leaves the control's (or the platform's) own pointer.
enum class Pointer { System, Arrow, IBeam, Busy };

// The density twips were laid out for: 15 twips to the pixel.
inline constexpr int kDesignDpi = 96;

struct Twips {
    int left, top, width, height;
};

// Every explicit font is in the Central European character set.
struct Font {
    std::wstring_view face;
    double points;
    int weight;  // 400 regular, 700 bold
    friend constexpr bool operator==(const Font&, const Font&) = default;
};

struct Rgb {
    unsigned char r, g, b;
};

inline constexpr Font kDialogFont{L"MS Sans Serif", 8.25, 400};
inline constexpr Font kDialogFontBold{L"MS Sans Serif", 8.25, 700};
inline constexpr Rgb kDarkRed{128, 0, 0};

struct ControlDesc {
    int id;  // the form's own enumerator; equals the row's position in its table
    Kind kind;
    Twips place;
    std::wstring_view text;  // caption, or initial text of a box or combo field
    Font font = kDialogFont;
    std::optional<Rgb> ink = {};  // none: the system's text colour
    Pointer pointer = Pointer::System;
    std::span<const std::wstring_view> list = {};  // combo entries, in order
    ClickHandler onClick = nullptr;
    int captionOf = -1;             // a label: the control it names, which it comes just before
    std::wstring_view spokenName = {};  // what a screen reader calls a control no label names

    // What differs from a kind's defaults, added to a row: Label(...).In(kBold).Inked(kDarkRed).
    constexpr ControlDesc In(Font f) const { auto c = *this; c.font = f; return c; }
    constexpr ControlDesc Inked(Rgb colour) const { auto c = *this; c.ink = colour; return c; }
    constexpr ControlDesc Pointing(Pointer p) const { auto c = *this; c.pointer = p; return c; }
    constexpr ControlDesc CaptionOf(int control) const { auto c = *this; c.captionOf = control; return c; }
    constexpr ControlDesc Spoken(std::wstring_view name) const { auto c = *this; c.spokenName = name; return c; }
};

constexpr ControlDesc Label(int id, Twips place, std::wstring_view caption) { return {id, Kind::Label, place, caption}; }
constexpr ControlDesc TextBox(int id, Twips place, std::wstring_view text = {}) {
    return {id, Kind::TextBox, place, text};
}
constexpr ControlDesc ComboBox(int id, Twips place, std::wstring_view field, std::span<const std::wstring_view> list) {
    return {.id = id, .kind = Kind::ComboBox, .place = place, .text = field, .list = list};
}
constexpr ControlDesc Button(int id, Twips place, std::wstring_view caption, ClickHandler onClick) {
    return {.id = id, .kind = Kind::Button, .place = place, .text = caption, .onClick = onClick};
}

// The background: the artwork (700 × 501 at full size) shown this many pixels wide at
// 96 dpi, the car from its bitmap resource.
struct Picture {
    int car;
    int widthAt96;
};

struct FormDesc {
    std::wstring_view caption;
    int clientWidth, clientHeight;  // twips
    Picture picture;                // from the top-left corner
    Pointer pointer;                // over the background and the labels
    std::span<const ControlDesc> controls;
    std::span<const int> tabOrder;  // the controls that take the focus, in Tab order
    bool closeEndsProgram;          // the start-up window: its close box ends the program
};

}  // namespace forms
