#include "forms/fonts.h"

#include "design/errors.h"
#include "design/layout.h"
#include "forms/canvas.h"
#include "forms/platform.h"

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <limits>
#include <utility>

namespace forms {
namespace {

// A text a control shows in a font, and the room it has there, in pixels.
struct Caption {
    std::wstring_view text;
    int width, height;
    bool wraps;  // a label wraps at spaces; everything else is one line
};

bool SameFace(std::wstring_view a, std::wstring_view b) {
    return std::ranges::equal(a, b, [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

// Every fixed text set in this font, with the room its control gives it. Borders, the
// combo's button and a button's bevel take a few pixels of the box. A label's lines broken
// in its text must each fit its width too.
std::vector<Caption> CaptionsIn(std::span<const FormDesc* const> forms, const Font& font, int dpi,
                                const DpiLookups& lookups) {
    const int bevel = Pixels(90, dpi), arrow = SystemMetric(SM_CXVSCROLL, dpi, lookups);
    std::vector<Caption> captions;
    for (const FormDesc* form : forms)
        for (const ControlDesc& c : form->controls) {
            if (c.font != font) continue;
            const int width = Pixels(c.place.width, dpi), height = Pixels(c.place.height, dpi);
            switch (c.kind) {
                case Kind::Label:
                    captions.push_back({c.text, width, height, true});
                    for (size_t at = 0, end; (end = c.text.find(L"\r\n", at)) != std::wstring_view::npos; at = end + 2)
                        captions.push_back({c.text.substr(at, end - at), width, height, false});
                    break;
                case Kind::TextBox:
                case Kind::Button: captions.push_back({c.text, width - bevel, height, false}); break;
                case Kind::ComboBox:
                    captions.push_back({c.text, width - arrow - bevel, height, false});
                    for (std::wstring_view entry : c.list) captions.push_back({entry, width - arrow - bevel, height, false});
                    break;
            }
        }
    return captions;
}

// Pixels by which the captions stick out of their boxes, right or below, summed; 0 when all
// fit. A control cuts off whatever lies outside it, the last line's descenders too.
long long Overflow(HDC dc, const std::vector<Caption>& captions) {
    long long overflow = 0;
    for (const Caption& c : captions) {
        RECT r{0, 0, c.width, 0};
        const UINT flags = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (c.wraps ? DT_WORDBREAK : DT_SINGLELINE);
        DrawTextW(dc, c.text.data(), static_cast<int>(c.text.size()), &r, flags);
        overflow += std::max(0L, r.right - c.width) + std::max(0L, r.bottom - c.height);
    }
    return overflow;
}

// How far a face's proportions are from MS Sans Serif's, in pixels at this em: MS Sans Serif
// (Central European, 8 points) draws this caption 208 pixels wide at its 11-pixel em, 249 in bold.
int ProportionDistance(HDC dc, const Font& font, int em) {
    constexpr std::wstring_view kSample = L"\u015arednica ko\u0142a z aktualnym rozmiarem opony";
    SIZE size{};
    GetTextExtentPoint32W(dc, kSample.data(), static_cast<int>(kSample.size()), &size);
    return static_cast<int>(std::abs(size.cx * 11 - (font.weight >= FW_BOLD ? 249 : 208) * em) / 11);
}

// GDI calls this back, so nothing may be thrown through it: should storing a face fail, the
// enumeration stops and the faces collected so far stand.
int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
    try {
        if (font->lfFaceName[0] != L'@') reinterpret_cast<std::vector<std::wstring>*>(list)->emplace_back(font->lfFaceName);
        return 1;
    } catch (...) {
        return 0;
    }
}

// Faces the system has in Central European, by name; vertical ("@") variants left out.
std::vector<std::wstring> CentralEuropeanFaces(HDC dc) {
    std::vector<std::wstring> faces;
    LOGFONTW query{};
    query.lfCharSet = EASTEUROPE_CHARSET;
    EnumFontFamiliesExW(dc, &query, &CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    std::ranges::sort(faces);
    faces.erase(std::unique(faces.begin(), faces.end()), faces.end());
    return faces;
}

ScopedFont CreateFontIn(const Font& font, std::wstring_view face, int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -EmHeight(font.points, dpi);
    lf.lfWeight = font.weight;
    lf.lfCharSet = EASTEUROPE_CHARSET;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return ScopedFont(CreateFontIndirectW(&lf));
}

// A word drawn in the DC's font: its dark pixels, and the rows they span. What the screen
// shows, which Wine does not always match to the metrics it reports.
struct Ink {
    int dark = 0, rows = 0;
};
Ink InkOf(HDC dc, std::wstring_view text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    const Canvas canvas(dc, size.cx, size.cy);
    if (!canvas) return {};
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 0, 0, text.data(), static_cast<int>(text.size()));
    const std::span<const std::uint32_t> pixels = canvas.Pixels();
    Ink ink;
    for (int y = 0; y < size.cy; ++y) {
        const auto row = pixels.subspan(static_cast<size_t>(y) * static_cast<size_t>(size.cx), static_cast<size_t>(size.cx));
        const int dark = static_cast<int>(std::count_if(row.begin(), row.end(), [](std::uint32_t p) {
            return (p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF) < 3 * 0x80;
        }));
        ink.dark += dark;
        ink.rows += dark > 0;
    }
    return ink;
}

// Whether the font selected into the DC draws as its metrics say. Wine scales a bitmap
// face's advances to sizes it has no strike of but draws the strike's small letters
// between them, and its Tahoma Bold has the regular outlines; either looks wrong. Bold is
// judged on small letters, capitals and digits apart: thickened by Wine, the few straight
// strokes of "INFO" or "50" can gain too little.
bool DrawsAsMeasured(HDC dc, const Font& font, std::wstring_view face, int dpi) {
    constexpr std::wstring_view kSamples[] = {L"Wersja \u0142\u0105", L"INFO", L"50"};
    const Ink ink[] = {InkOf(dc, kSamples[0]), InkOf(dc, kSamples[1]), InkOf(dc, kSamples[2])};
    if (ink[0].rows * 3 < EmHeight(font.points, dpi) * 2) return false;  // "W" to "j" spans most of the em
    if (font.weight < FW_BOLD) return true;
    ScopedFont regular = CreateFontIn({face, font.points, FW_NORMAL}, face, dpi);
    if (!regular) return false;
    Selection selected(dc, regular.get());
    for (size_t i = 0; i < std::size(kSamples); ++i)
        if (ink[i].dark * 4 < InkOf(dc, kSamples[i]).dark * 5) return false;  // bold: a quarter more ink at least
    return true;
}

// A sans face with letters of varying widths, scaled from outlines: at this em, as near as a
// scaled face's rounded metrics tell it (Wine rounds ascent and descent apart), as heavy as
// asked (not a light face), drawn as measured. Null for anything else: never a serif face, a
// fixed-pitch one or a symbol face.
ScopedFont CreateSansFont(HDC dc, const Font& font, std::wstring_view face, int dpi) {
    ScopedFont handle = CreateFontIn(font, face, dpi);
    if (!handle) return {};
    Selection selected(dc, handle.get());
    wchar_t delivered[LF_FACESIZE] = {};
    TEXTMETRICW tm{};
    if (!GetTextFaceW(dc, LF_FACESIZE, delivered) || !GetTextMetricsW(dc, &tm)) return {};
    const int em = EmHeight(font.points, dpi);
    const bool sans = (tm.tmPitchAndFamily & 0xF0) == FF_SWISS && (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) &&
                      (tm.tmPitchAndFamily & TMPF_VECTOR);  // TMPF_FIXED_PITCH set: varying widths
    const bool sized = std::abs(tm.tmHeight - tm.tmInternalLeading - em) <= 1 && tm.tmWeight + 100 >= font.weight;
    const bool measured = SameFace(delivered, face) && tm.tmCharSet == EASTEUROPE_CHARSET && sans && sized;
    return measured && DrawsAsMeasured(dc, font, face, dpi) ? std::move(handle) : ScopedFont{};
}

}  // namespace

ScopedFont CreateExactFont(const Font& font, std::wstring_view face, int dpi) {
    ScopedFont handle = CreateFontIn(font, face, dpi);
    if (!handle) return {};

    ScopedDc dc(CreateCompatibleDC(nullptr));
    Selection selected(dc.get(), handle.get());
    wchar_t delivered[LF_FACESIZE] = {};
    TEXTMETRICW tm{};
    if (!GetTextFaceW(dc.get(), LF_FACESIZE, delivered) || !GetTextMetricsW(dc.get(), &tm)) return {};
    const bool exact =
        SameFace(delivered, face) && tm.tmCharSet == EASTEUROPE_CHARSET &&
        tm.tmHeight - tm.tmInternalLeading == EmHeight(font.points, dpi) && DrawsAsMeasured(dc.get(), font, face, dpi);
    return exact ? std::move(handle) : ScopedFont{};
}

HFONT Fonts::Get(const Font& font, int dpi) {
    for (const Chosen& c : chosen_)
        if (c.font == font && c.dpi == dpi) return c.handle.get();
    return chosen_.emplace_back(font, dpi, Choose(font, dpi)).handle.get();
}

ScopedFont Fonts::Choose(const Font& font, int dpi) const {
    if (ScopedFont asked = CreateExactFont(font, font.face, dpi)) return asked;
    for (std::wstring_view face : kReplacementFaces)
        if (ScopedFont replacement = CreateExactFont(font, face, dpi)) return replacement;
    return LastResort(font, dpi);
}

// Of the sans faces the system has at this size, the one that keeps every caption inside its
// box, or else overflows least, and then comes nearest MS Sans Serif's proportions: never the
// mapper's unmeasured pick.
ScopedFont Fonts::LastResort(const Font& font, int dpi) const {
    const std::vector<Caption> captions = CaptionsIn(forms_, font, dpi, lookups_);
    ScopedDc dc(CreateCompatibleDC(nullptr));
    ScopedFont best;
    std::pair bestMeasure{std::numeric_limits<long long>::max(), 0};
    for (const std::wstring& face : CentralEuropeanFaces(dc.get())) {
        ScopedFont candidate = CreateSansFont(dc.get(), font, face, dpi);
        if (!candidate) continue;
        Selection selected(dc.get(), candidate.get());
        const std::pair measure{Overflow(dc.get(), captions), ProportionDistance(dc.get(), font, EmHeight(font.points, dpi))};
        if (!best || measure < bestMeasure) {
            bestMeasure = measure;
            best = std::move(candidate);
        }
    }
    // No face at all at this size: what the mapper gives is all there is.
    if (best) return best;
    ScopedFont mapped = CreateFontIn(font, font.face, dpi);
    // GDI gives no cause when its table of objects is full, the one way this fails.
    if (const DWORD code = GetLastError(); !mapped) throw WindowFailure(L"utworzyć czcionki", code ? code : ERROR_NOT_ENOUGH_MEMORY);
    return mapped;
}

}  // namespace forms
