#pragma once
// The faces the windows are drawn in. Asked for a face it lacks in Central European, or
// for a size a bitmap face has no strike of, the font mapper quietly hands over whatever
// the host has, often far wider, and captions lose their ends. So the program checks
// what it was given and chooses a known replacement itself.

#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "design/form_desc.h"
#include "forms/platform.h"
#include "forms/scoped.h"

namespace forms {

// Tried in this order after the face a window asks for: both were drawn to keep MS Sans
// Serif's widths, and one or the other is on every Windows. Where neither is drawn as its
// metrics say, the last resort measures the sans faces there are (DejaVu Sans Condensed,
// in a Wine prefix of Debian's, comes nearest).
inline constexpr std::wstring_view kReplacementFaces[] = {L"Microsoft Sans Serif", L"Tahoma"};

// The font in exactly this face, the Central European character set and the em height
// of its points at this dpi, drawn as its metrics say (letters as tall as the em, bold
// heavier than regular); null when the system would deliver anything else.
ScopedFont CreateExactFont(const Font& font, std::wstring_view face, int dpi);

class Fonts {
public:
    // forms: every window the fonts serve; their captions decide the last resort. lookups:
    // how the system's metrics are asked, for the room a combo's button takes.
    Fonts(std::span<const FormDesc* const> forms, const DpiLookups& lookups) : forms_(forms), lookups_(lookups) {}
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    // The font in the face chosen for it at this dpi: chosen on first use, then kept. Throws
    // the window failure when the system gives no font at all.
    HFONT Get(const Font& font, int dpi);

private:
    struct Chosen {
        Font font;
        int dpi;
        ScopedFont handle;
    };
    ScopedFont Choose(const Font& font, int dpi) const;
    ScopedFont LastResort(const Font& font, int dpi) const;

    std::span<const FormDesc* const> forms_;
    const DpiLookups& lookups_;
    std::vector<Chosen> chosen_;
};

}  // namespace forms
