// Every text whole in its control, in the font really drawn, whatever fonts the host has:
// also run in a prefix without the Central European MS Sans Serif.

#include <algorithm>
#include <string>
#include <utility>

#include "calc/number_text.h"
#include "calc/tyre.h"
#include "harness.h"

namespace tarvex_test {
namespace {

// Face, character set and em height of the font in a DC as drawn.
std::tuple<std::wstring, int, int> Delivered(HDC dc) {
    wchar_t face[LF_FACESIZE] = {};
    TEXTMETRICW tm{};
    GetTextFaceW(dc, LF_FACESIZE, face);
    GetTextMetricsW(dc, &tm);
    return {face, tm.tmCharSet, tm.tmHeight - tm.tmInternalLeading};
}

// The dark pixels of the text drawn in black on white, as a control draws it.
std::vector<std::vector<bool>> Drawn(HDC dc, std::wstring_view text, UINT flags, SIZE canvas, RECT box) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), canvas.cx, -canvas.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DWORD* pixels = nullptr;
    forms::ScopedBitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), nullptr, 0));
    forms::Selection drawn(dc, bitmap.get());
    std::fill_n(pixels, canvas.cx * canvas.cy, 0xFFFFFFu);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, flags | DT_NOPREFIX | DT_NOCLIP);
    std::vector<std::vector<bool>> dark(canvas.cy, std::vector<bool>(canvas.cx));
    for (int y = 0; y < canvas.cy; ++y)
        for (int x = 0; x < canvas.cx; ++x) dark[y][x] = (pixels[y * canvas.cx + x] & 0xFF) < 0x80;
    return dark;
}

// Dark pixels the text puts outside a box of this size: what the control cuts off. The last
// line's descenders may lose a row, as "opony" does in the original layout.
int InkOutside(HDC dc, std::wstring_view text, UINT flags, int width, int height) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    // Away from 96 dpi box and font are rounded apart: a pixel of slack.
    const int slack = GetDeviceCaps(dc, LOGPIXELSX) == 96 ? 0 : 1, margin = 40;
    const auto dark = Drawn(dc, text, flags, {width + margin, height + margin}, {0, 0, width, height + margin});
    int outside = 0;
    for (int y = 0; y < height + margin; ++y)
        for (int x = 0; x < width + margin; ++x) outside += (x >= width + slack || y >= height + tm.tmDescent) && dark[y][x];
    return outside;
}

// Dark pixels of a line of text, and its widest run of blank columns between inked ones.
std::pair<int, int> InkAndWidestGap(HDC dc, std::wstring_view text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    const auto dark = Drawn(dc, text, DT_SINGLELINE, {size.cx + 8, size.cy + 8}, {0, 0, size.cx + 8, size.cy + 8});
    int ink = 0, widest = 0, run = -1;  // -1: no ink yet
    for (int x = 0; x < size.cx + 8; ++x) {
        const int column = static_cast<int>(std::ranges::count_if(dark, [x](const auto& row) { return row[x]; }));
        ink += column;
        if (column) widest = std::max(widest, run), run = 0;
        else if (run >= 0) ++run;
    }
    return {ink, widest};
}

// The room an edit gives its text, in pixels.
int RoomIn(Window edit) {
    RECT r{};
    edit.Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.right - r.left;
}

using Captions = ProgramTest;

TEST_F(Captions, EveryFixedCaptionFitsItsControlInAFontThatLooksAsItShould) {
    const std::pair<forms::FormRef*, const forms::FormDesc*> forms[] = {
        {&program_.Form1(), &ui::kForm1}, {&program_.Form2(), &ui::kForm2}, {&program_.Form3(), &ui::kForm3}};
    for (const auto& [ref, desc] : forms) {
        forms::Form& form = ref->get();
        form.Show();
        forms::ScopedDc dc(CreateCompatibleDC(nullptr));
        for (const forms::ControlDesc& c : desc->controls) {
            const Window h = form.control(c.id);
            const std::wstring text = h.Text();
            SCOPED_TRACE(testing::Message() << testing::PrintToString(text.substr(0, 30)));
            const HFONT font = h.Font();
            forms::Selection selected(dc.get(), font);
            LOGFONTW lf{};
            GetObjectW(font, sizeof lf, &lf);
            EXPECT_EQ(Delivered(dc.get()), std::tuple(std::wstring(lf.lfFaceName), int{lf.lfCharSet}, -lf.lfHeight))
                << "the font mapper's own pick";
            const RECT box = h.Place();
            const int width = box.right - box.left, height = box.bottom - box.top;
            const auto line = [&](std::wstring_view t, int room) { return InkOutside(dc.get(), t, DT_SINGLELINE, room, height); };
            // Beyond the metrics: bold clearly heavier than regular, and no gap inside a word
            // wider than a third of the em (stretched advances spread a word into letters).
            if (lf.lfWeight >= FW_BOLD) {
                const int bold = InkAndWidestGap(dc.get(), text).first;
                lf.lfWeight = FW_NORMAL;
                forms::ScopedFont regularFont(CreateFontIndirectW(&lf));
                forms::Selection regular(dc.get(), regularFont.get());
                const int regularInk = InkAndWidestGap(dc.get(), text).first;
                EXPECT_GT(bold * 5, regularInk * 6) << bold << " dark pixels in bold, " << regularInk << " in regular";
            }
            for (size_t at = 0, end; at < text.size(); at = end + 1) {
                end = std::min(text.find_first_of(L" \r\n", at), text.size());
                const std::wstring_view word = std::wstring_view(text).substr(at, end - at);
                EXPECT_LE(InkAndWidestGap(dc.get(), word).second, std::get<2>(Delivered(dc.get())) / 3)
                    << testing::PrintToString(std::wstring(word));
            }
            switch (c.kind) {
                case forms::Kind::Label:
                    EXPECT_EQ(InkOutside(dc.get(), text, DT_WORDBREAK | DT_EXPANDTABS, width, height), 0);
                    // Lines broken where the text breaks them must not wrap again.
                    for (size_t at = 0, end; (end = text.find(L"\r\n", at)) != std::wstring::npos; at = end + 2)
                        EXPECT_EQ(line(std::wstring_view(text).substr(at, end - at), width), 0) << "line at " << at;
                    break;
                case forms::Kind::Button: EXPECT_EQ(line(text, h.Client().right - 6), 0); break;
                case forms::Kind::TextBox: EXPECT_EQ(line(text, RoomIn(h)), 0); break;
                case forms::Kind::ComboBox:
                    EXPECT_EQ(line(text, RoomIn(Combo(h).Field())), 0);
                    for (std::wstring_view entry : c.list) EXPECT_EQ(line(entry, Combo(h).List().Client().right), 0);
                    break;
            }
        }
    }
}

// The widest result a click can write from any two list sizes or a few typed ones (by the
// characters' advances: no kerning here), whole in its control and clear of its unit.
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
    forms::ScopedDc dc(CreateCompatibleDC(nullptr));
    forms::Selection selected(dc.get(), Window(Main().control(srdnicaakt)).Font());  // every result's: bold
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

}  // namespace
}  // namespace tarvex_test
