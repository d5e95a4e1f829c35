// Every text whole in its control, in the font really drawn, whatever fonts the host has:
// also run in a prefix without the Central European MS Sans Serif.

#include "calc/number_text.h"
#include "calc/tyre.h"
#include "forms/canvas.h"
#include "harness.h"

namespace tarvex_test {
namespace {

// The text drawn in black on white as a control draws it, in a box of this size on a canvas 40
// pixels larger: its dark pixels.
std::vector<std::vector<bool>> Drawn(HDC dc, std::wstring_view text, UINT flags, int width, int height) {
    const int cx = width + 40, cy = height + 40;
    const forms::Canvas canvas(dc, cx, cy);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    RECT box{0, 0, width, cy};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, flags | DT_NOPREFIX | DT_NOCLIP);
    const auto pixels = canvas.Pixels();
    std::vector<std::vector<bool>> dark(cy, std::vector<bool>(cx));
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) dark[y][x] = (pixels[static_cast<size_t>(y * cx + x)] & 0xFF) < 0x80;
    return dark;
}

// Dark pixels the text puts outside a box of this size: what the control cuts off. The last
// line's descenders may lose a row, as "opony" does in the original layout; away from 96 dpi
// box and font are rounded apart: a pixel of slack.
int InkOutside(HDC dc, std::wstring_view text, UINT flags, int width, int height) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const int slack = GetDeviceCaps(dc, LOGPIXELSX) == 96 ? 0 : 1;
    const auto dark = Drawn(dc, text, flags, width, height);
    int outside = 0;
    for (int y = 0; y < height + 40; ++y)
        for (int x = 0; x < width + 40; ++x) outside += (x >= width + slack || y >= height + tm.tmDescent) && dark[y][x];
    return outside;
}

// A line of text as drawn: its dark pixels, its widest run of blank columns between inked ones, the rows it inks.
struct Ink { int dark = 0, widestGap = 0, rows = 0; };
Ink InkOf(HDC dc, std::wstring_view text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    const auto dark = Drawn(dc, text, DT_SINGLELINE, size.cx, size.cy);
    Ink ink;
    for (const auto& row : dark) ink.rows += std::ranges::find(row, true) != row.end();
    for (int x = 0, run = -1; x < size.cx + 40; ++x) {  // run -1: no ink yet
        const int column = static_cast<int>(std::ranges::count_if(dark, [x](const auto& row) { return row[x]; }));
        ink.dark += column;
        if (column) ink.widestGap = std::max(ink.widestGap, run), run = 0;
        else if (run >= 0) ++run;
    }
    return ink;
}

// The room an edit gives its text, in pixels.
int RoomIn(Window edit) {
    RECT r{};
    edit.Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.right - r.left;
}

using Captions = ProgramTest;

TEST_F(Captions, EveryFixedCaptionFitsItsControlInAFontThatLooksAsItShould) {
    for (const auto& [ref, desc] : {std::pair{&program_.Form1(), &ui::kForm1}, {&program_.Form2(), &ui::kForm2}, {&program_.Form3(), &ui::kForm3}}) {
        forms::Form& form = ref->get();
        form.Show();
        forms::ScopedDc dc(CreateCompatibleDC(nullptr));
        for (const forms::ControlDesc& c : desc->controls) {
            const Window h = form.control(c.id);
            const std::wstring text = h.Text();
            SCOPED_TRACE(testing::Message() << testing::PrintToString(text.substr(0, 30)));
            forms::Selection selected(dc.get(), h.Font());
            LOGFONTW lf{};
            GetObjectW(h.Font(), sizeof lf, &lf);
            // As drawn, not as the metrics say: "W" to "j" spans most of the em (not a smaller face's letters
            // between stretched advances), no gap in a word wider than a third of it, bold a quarter heavier.
            const int em = -lf.lfHeight;
            EXPECT_GE(InkOf(dc.get(), L"Wj").rows * 3, em * 2);
            for (size_t at = 0, end; at < text.size(); at = end + 1) {
                end = std::min(text.find_first_of(L" \r\n", at), text.size());
                EXPECT_LE(InkOf(dc.get(), std::wstring_view(text).substr(at, end - at)).widestGap, em / 3) << at;
            }
            if (lf.lfWeight >= FW_BOLD) {
                const int bold = InkOf(dc.get(), text).dark;
                lf.lfWeight = FW_NORMAL;
                forms::ScopedFont regularFont(CreateFontIndirectW(&lf));
                forms::Selection regular(dc.get(), regularFont.get());
                const int ink = InkOf(dc.get(), text).dark;
                EXPECT_GE(bold * 4, ink * 5) << bold << " dark pixels in bold, " << ink << " in regular";
            }
            const RECT box = h.Place();
            const int width = box.right - box.left, height = box.bottom - box.top;
            const auto line = [&](std::wstring_view t, int room) { return InkOutside(dc.get(), t, DT_SINGLELINE, room, height); };
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
            for (size_t row = 0; row < 6; ++row) offer(4 + row, calc::ActualSpeed(calc::SpeedFactor(current, proposed), calc::kReferenceSpeeds[row]));
        }
    }
    for (size_t i = 0; i < std::size(results); ++i) {
        const Window h = Main().control(results[i]), unit = Main().control(results[i] + 1);
        SCOPED_TRACE(testing::Message() << testing::PrintToString(widest[i]) << " in result " << i);
        const RECT box = h.Place();
        const int room = std::min<int>(results[i] < Label21_1 ? RoomIn(h) : box.right - box.left, unit.Place().left - box.left);
        EXPECT_EQ(InkOutside(dc.get(), widest[i], DT_SINGLELINE, room, box.bottom - box.top), 0) << "room " << room;
    }
}

}  // namespace
}  // namespace tarvex_test
