#include "design/layout.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "ui/about_window.h"
#include "ui/main_window.h"

namespace forms {
namespace {

constexpr int kDpis[] = {96, 120, 144, 192};

TEST(Layout, PixelsRoundHalvesAwayFromZero) {
    const struct { int twips, dpi, pixels; } cases[] = {
        {15, 96, 1},   {7, 96, 0},   {8, 96, 1},      {5, 144, 1},       {4, 144, 0},
        {0, 192, 0},   {1095, 120, 91}, {1095, 144, 110}, {10485, 144, 1049}, {7500, 192, 1000},
    };
    for (const auto& c : cases) EXPECT_EQ(Pixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
}

TEST(Layout, EmHeightRoundsDown) {
    const struct { double points; int pixels[4]; } cases[] = {
        {8.25, {11, 13, 16, 22}}, {9.75, {13, 16, 19, 26}}, {12, {16, 20, 24, 32}}};
    for (const auto& c : cases)
        for (int i = 0; i < 4; ++i) EXPECT_EQ(EmHeight(c.points, kDpis[i]), c.pixels[i]) << c.points << " pt at " << kDpis[i];
}

TEST(Layout, ClientSizeOfTheMainWindow) {
    const std::pair<int, int> sizes[] = {{699, 500}, {874, 625}, {1049, 750}, {1398, 1000}};
    for (int i = 0; i < 4; ++i) {
        const Size s = ClientSize(ui::kForm1, kDpis[i]);
        EXPECT_EQ((std::pair{s.width, s.height}), sizes[i]) << kDpis[i];
    }
}

// A combo's window reaches 2400 twips lower than its field, over its open list.
TEST(Layout, PlaceOfControls) {
    const ControlDesc combo = ComboBox(0, {240, 2280, 1095, 315}, L"", {}), label = Label(0, {4560, 1920, 2175, 495}, L"");
    const ControlDesc button = Button(0, {6480, 5040, 1455, 375}, L"", nullptr);
    const struct { const ControlDesc* control; int dpi; std::array<int, 4> rect; } cases[] = {
        {&combo, 96, {16, 152, 89, 333}},   {&combo, 144, {24, 228, 134, 500}},   {&label, 96, {304, 128, 449, 161}},
        {&label, 120, {380, 160, 561, 201}}, {&button, 144, {648, 504, 794, 542}},
    };
    for (const auto& c : cases) {
        const Rect r = PlaceOf(*c.control, c.dpi);
        EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), c.rect) << c.control->place.left << " at " << c.dpi;
    }
}

TEST(Layout, LabelsOverInputControls) {
    const ControlDesc synthetic[] = {TextBox(0, {1000, 1000, 500, 300}), Label(1, {1000, 1000, 500, 300}, L"")};
    for (const Twips touching : {Twips{500, 1000, 500, 300}, {1500, 1000, 500, 300}, {1000, 700, 500, 300}, {1000, 1300, 500, 300}})
        EXPECT_FALSE(OverlapsInputControl(synthetic, Label(2, touching, L""))) << touching.left << ", " << touching.top;
    EXPECT_TRUE(OverlapsInputControl(synthetic, Label(2, {500, 1299, 501, 300}, L"")));
    EXPECT_FALSE(OverlapsInputControl(std::span(synthetic).subspan(1), Label(2, {1100, 1100, 100, 100}, L"")));  // a label only
}

// A window back on its screen's work area: the last case a screen left of the main one with
// a taskbar on top, the last one larger than its area.
TEST(Layout, WindowsMovedIntoTheWorkArea) {
    const struct { Rect window, area, moved; } cases[] = {
        {{100, 60, 1155, 844}, {0, 0, 2048, 1536}, {100, 60, 1155, 844}},
        {{1748, 1436, 2628, 2086}, {0, 0, 2048, 1536}, {1168, 886, 2048, 1536}},
        {{-3000, -2000, -1945, -1216}, {0, 0, 2048, 1536}, {0, 0, 1055, 784}},
        {{-500, 0, 200, 300}, {-1920, 40, 0, 1080}, {-700, 40, 0, 340}},
        {{50, 50, 2150, 1650}, {0, 0, 2048, 1536}, {0, 0, 2100, 1600}},
    };
    for (const auto& c : cases) EXPECT_EQ(MovedInto(c.window, c.area), c.moved) << c.window.left << ", " << c.window.top;
}

// A frame of 6 x 29 pixels. The main window at 200 % on a 1366 x 768 screen: 768 - 29 leaves 739
// pixels for 7500 twips, which 141 dpi make 734 (142: 740); at 150 % the same. A screen 1000 wide
// leaves 994 for 10485 twips: 136 dpi make 990 (137: 998). The About window fits at 200 %; nothing
// below 100 %, not even where the design does not fit. At 200 % exactly 1404 x 1029 fits; a pixel
// less, 191 dpi (1391 x 995).
TEST(Layout, DensityAtWhichTheWindowFitsItsScreen) {
    const struct { const FormDesc* form; int dpi; Size area; int fitting; } cases[] = {
        {&ui::kForm1, 192, {1366, 768}, 141}, {&ui::kForm1, 144, {1366, 768}, 141}, {&ui::kForm1, 192, {1000, 2000}, 136},
        {&ui::kForm1, 192, {2048, 1536}, 192}, {&ui::kForm2, 192, {1366, 768}, 192}, {&ui::kForm1, 120, {640, 480}, 96},
        {&ui::kForm1, 72, {640, 480}, 72}, {&ui::kForm1, 192, {1404, 1029}, 192}, {&ui::kForm1, 192, {1404, 1028}, 191},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FittingDpi(*c.form, c.dpi, {6, 29}, c.area), c.fitting) << c.dpi << " dpi in " << c.area.width;
}

}  // namespace
}  // namespace forms
