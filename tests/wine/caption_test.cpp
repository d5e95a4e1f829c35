// Every fixed text whole in its control, in the font the program really got, whatever
// fonts the host has. Runs twice: in the project's prefix, and in one where the
// Central European MS Sans Serif is missing and the host's fonts stand in.

#include <algorithm>
#include <numeric>
#include <string>
#include <utility>

#include "app/fonts.h"
#include "calc/number_text.h"
#include "calc/tyre.h"
#include "harness.h"

namespace tarvex_test {
namespace {

// The face, character set and em height of the font selected into a DC as it is really
// drawn, and as it was asked for.
std::tuple<std::wstring, int, int> Delivered(HDC dc) {
    wchar_t face[LF_FACESIZE] = {};
    TEXTMETRICW tm{};
    GetTextFaceW(dc, LF_FACESIZE, face);
    GetTextMetricsW(dc, &tm);
    return {face, tm.tmCharSet, tm.tmHeight - tm.tmInternalLeading};
}
std::tuple<std::wstring, int, int> Asked(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    return {lf.lfFaceName, lf.lfCharSet, -lf.lfHeight};
}

// Dark pixels that the text, drawn as its control draws it in a box of this size, puts
// outside the box: what the control cuts off. Ink, not the font's cells, and the last
// line's descenders may lose a row, as "opony" does in its label in the original layout;
// a line lost whole, or a letter cut at the side, counts.
int InkOutside(HDC dc, std::wstring_view text, UINT flags, int width, int height) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    // Away from 96 dpi both the box and the font are rounded to whole pixels, which can
    // give the text a pixel more than the layout meant.
    const int slack = GetDeviceCaps(dc, LOGPIXELSX) == 96 ? 0 : 1;
    constexpr int kMargin = 40;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width + kMargin, -(height + kMargin), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DWORD* pixels = nullptr;
    app::ScopedBitmap canvas(CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0));
    app::Selection drawn(dc, canvas.get());
    std::fill_n(pixels, (width + kMargin) * (height + kMargin), 0xFFFFFFu);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    RECT box{0, 0, width, height + kMargin};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, flags | DT_NOPREFIX | DT_NOCLIP);
    int outside = 0;
    for (int y = 0; y < height + kMargin; ++y)
        for (int x = 0; x < width + kMargin; ++x)
            outside += (x >= width + slack || y >= height + tm.tmDescent) && (pixels[y * (width + kMargin) + x] & 0xFF) < 0x80;
    return outside;
}

// The room an edit gives its text, in pixels.
int RoomIn(Window edit) {
    RECT r{};
    edit.Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.right - r.left;
}

using Captions = ProgramTest;

TEST_F(Captions, EveryFixedCaptionAndListEntryFitsItsControlInTheFontReallyDrawn) {
    const std::pair<app::FormRef*, const app::FormDesc*> forms[] = {
        {&program_.Form1, &ui::kForm1}, {&program_.Form2, &ui::kForm2}, {&program_.Form3, &ui::kForm3}};
    for (const auto& [ref, desc] : forms) {
        app::Form& form = ref->get();
        form.Show();
        app::ScopedDc dc(CreateCompatibleDC(nullptr));
        for (const app::ControlDesc& c : desc->controls) {
            const Window h = form.control(c.id);
            const std::wstring text = h.Text();
            SCOPED_TRACE(testing::Message() << testing::PrintToString(text.substr(0, 30)));
            const HFONT font = h.Font();
            app::Selection selected(dc.get(), font);
            EXPECT_EQ(Delivered(dc.get()), Asked(font)) << "the font mapper's own pick";
            const RECT box = h.Place();
            const int width = box.right - box.left, height = box.bottom - box.top;
            const auto line = [&](std::wstring_view t, int room) { return InkOutside(dc.get(), t, DT_SINGLELINE, room, height); };
            switch (c.kind) {
                case app::Kind::Label:
                    EXPECT_EQ(InkOutside(dc.get(), text, DT_WORDBREAK | DT_EXPANDTABS, width, height), 0);
                    // Lines broken where the text breaks them must not wrap again.
                    for (size_t at = 0, end; (end = text.find(L"\r\n", at)) != std::wstring::npos; at = end + 2)
                        EXPECT_EQ(line(std::wstring_view(text).substr(at, end - at), width), 0) << "line at " << at;
                    break;
                case app::Kind::Button: EXPECT_EQ(line(text, h.Client().right - 6), 0); break;
                case app::Kind::TextBox: EXPECT_EQ(line(text, RoomIn(h)), 0); break;
                case app::Kind::ComboBox:
                    EXPECT_EQ(line(text, RoomIn(Combo(h).Field())), 0);
                    for (std::wstring_view entry : c.list) EXPECT_EQ(line(entry, Combo(h).List().Client().right), 0);
                    break;
            }
        }
    }
}

// Every result a click can write from any two sizes in the lists, or from a few typed
// ones, drawn whole in its control and clear of the unit beside it (the next row of the
// table). Only the widest text of each result is drawn: widths are the sums of the
// characters' advances, as these fonts set digits without kerning.
TEST_F(Captions, EveryResultFitsItsControlAndStaysClearOfItsUnit) {
    using namespace ui::form1;
    std::vector<double> diameters;
    for (int w = 145; w <= 235; w += 10)
        for (int p : {35, 40, 45, 50, 55, 60, 65, 70, 80, 82})
            for (int r = 13; r <= 20; ++r) diameters.push_back(calc::WheelDiameter({std::int16_t(w), std::int16_t(p), std::int16_t(r)}));
    for (calc::TyreSize typed : {calc::TyreSize{315, 35, 22}, {125, 80, 12}, {135, 30, 12}}) diameters.push_back(calc::WheelDiameter(typed));
    std::ranges::sort(diameters);
    diameters.erase(std::unique(diameters.begin(), diameters.end()), diameters.end());

    const int results[] = {srdnicaakt, srednicanew, roznica, procentbl, Label21_1, Label22, Label23, Label24, Label25, Label26};
    app::ScopedDc dc(CreateCompatibleDC(nullptr));
    app::Selection selected(dc.get(), Window(Main().control(srdnicaakt)).Font());  // every result's: bold
    INT advance[128] = {};
    GetCharWidth32W(dc.get(), 0, 127, advance);
    const auto width = [&](const std::wstring& t) { int w = 0; for (wchar_t c : t) w += advance[c & 127]; return w; };
    std::wstring widest[std::size(results)];
    const auto offer = [&](size_t result, double value) {
        std::wstring text = calc::NumberToText(value, L".");
        if (width(text) > width(widest[result])) widest[result] = std::move(text);
    };
    for (double current : diameters) {
        offer(0, current);
        offer(1, current);
        for (double proposed : diameters) {
            offer(2, calc::DiameterDifference(current, proposed));
            offer(3, calc::ErrorPercent(calc::ErrorRatio(proposed, current, proposed)));
            for (size_t row = 0; row < 6; ++row)
                offer(4 + row, calc::ActualSpeed(calc::SpeedFactor(current, proposed), calc::kReferenceSpeeds[row]));
        }
    }
    for (size_t i = 0; i < std::size(results); ++i) {
        const Window h = Main().control(results[i]), unit = Main().control(results[i] + 1);
        SCOPED_TRACE(testing::Message() << testing::PrintToString(widest[i]) << " in result " << i);
        const RECT box = h.Place();
        const bool isBox = results[i] < Label21_1;
        const int room = std::min<int>(isBox ? RoomIn(h) : box.right - box.left, unit.Place().left - box.left);
        EXPECT_EQ(InkOutside(dc.get(), widest[i], DT_SINGLELINE, room, box.bottom - box.top), 0) << "room " << room;
    }
}

// With no replacement to fall back on, the program still measures its way to a face that
// keeps a caption whole; here the 12-point title, which no MS Sans Serif strike has.
TEST(FontChoice, TheLastResortIsAFaceTheSystemHasThatKeepsTheCaptionsInTheirBoxes) {
    const app::FormDesc* forms[] = {&ui::kForm2};
    app::Fonts fonts(forms, {});
    const app::ControlDesc& title = ui::kForm2.controls[ui::form2::Label1];
    HFONT font = fonts.Get(title.font, app::kDesignDpi);
    ASSERT_NE(font, nullptr);
    app::ScopedDc dc(CreateCompatibleDC(nullptr));
    app::Selection selected(dc.get(), font);
    EXPECT_EQ(Delivered(dc.get()), Asked(font));
    EXPECT_EQ(std::get<2>(Delivered(dc.get())), 16);
    EXPECT_EQ(InkOutside(dc.get(), title.text, DT_WORDBREAK, title.place.width / 15, title.place.height / 15), 0);
}

// A text drawn on one line in the DC's font, as a control draws it: dark pixels per column.
std::vector<int> InkColumns(HDC dc, std::wstring_view text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    const int width = size.cx + 8, height = size.cy + 8;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DWORD* pixels = nullptr;
    app::ScopedBitmap canvas(CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0));
    app::Selection drawn(dc, canvas.get());
    std::fill_n(pixels, width * height, 0xFFFFFFu);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    RECT box{0, 0, width, height};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_NOPREFIX);
    std::vector<int> columns(width);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) columns[x] += (pixels[y * width + x] & 0xFF) < 0x80;
    return columns;
}

// The widest run of blank columns between two inked ones.
int WidestGap(const std::vector<int>& columns) {
    int widest = 0, run = -1;  // -1: no ink yet
    for (int dark : columns)
        if (dark) widest = std::max(widest, run), run = 0;
        else if (run >= 0) ++run;
    return widest;
}

// What the eye sees of a font beyond its metrics: a bold text clearly heavier than the
// same text in regular, and no gap inside a word wider than a third of the em (a bitmap
// size whose advances grow but not its letters spreads a word letter by letter).
TEST_F(Captions, BoldIsDrawnHeavierThanRegularAndNoWordFallsApartIntoLetters) {
    for (app::FormRef* ref : {&program_.Form1, &program_.Form2, &program_.Form3}) {
        app::Form& form = ref->get();
        form.Show();
        app::ScopedDc dc(CreateCompatibleDC(nullptr));
        for (int id = 0; const Window h = form.control(id); ++id) {
            const std::wstring text = h.Text();
            SCOPED_TRACE(testing::Message() << testing::PrintToString(text.substr(0, 30)));
            LOGFONTW lf{};
            GetObjectW(h.Font(), sizeof lf, &lf);
            app::Selection selected(dc.get(), h.Font());
            const auto ink = [&] { const auto c = InkColumns(dc.get(), text); return std::accumulate(c.begin(), c.end(), 0); };
            if (lf.lfWeight >= FW_BOLD) {
                const int bold = ink();
                lf.lfWeight = FW_NORMAL;
                app::ScopedFont regularFont(CreateFontIndirectW(&lf));
                app::Selection regular(dc.get(), regularFont.get());
                EXPECT_GT(bold * 5, ink() * 6) << bold << " dark pixels in bold, " << ink() << " in regular";
            }
            TEXTMETRICW tm{};
            GetTextMetricsW(dc.get(), &tm);
            for (size_t at = 0, end; at < text.size(); at = end + 1) {
                end = std::min(text.find_first_of(L" \r\n", at), text.size());
                const std::wstring_view word = std::wstring_view(text).substr(at, end - at);
                EXPECT_LE(WidestGap(InkColumns(dc.get(), word)), (tm.tmHeight - tm.tmInternalLeading) / 3)
                    << testing::PrintToString(std::wstring(word));
            }
        }
    }
}

}  // namespace
}  // namespace tarvex_test
