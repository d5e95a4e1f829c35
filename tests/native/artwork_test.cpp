#include "design/artwork.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

namespace forms {
namespace {

using Picture = std::vector<std::uint32_t>;

// The main window's artwork (700 pixels wide at 96 dpi) over its client area, the car one pixel.
Picture Paint(std::uint32_t carPixel, int dpi) {
    const CarImage car{1, 1, &carPixel};
    const int width = dpi == 96 ? 699 : 1049, height = dpi == 96 ? 500 : 750;
    Picture out(static_cast<size_t>(width * height), 0xDEADBEEF);
    PaintArtwork(car, 700, dpi, width, height, out);
    return out;
}

// Worked out from the artwork's stops; a device row averages the artwork rows it covers. At
// 150 % the light line covers device rows 79.5 to 82.5: rows 80 and 81 are its own colour.
TEST(Artwork, BandLineAndSand) {
    const Picture at96 = Paint(0, 96), at144 = Paint(0, 144);
    const struct { const Picture* picture; int width, row; std::uint32_t colour; } cases[] = {
        {&at96, 699, 0, 0x3169B3},   {&at96, 699, 52, 0x1E4B88},   // the band, 52.5/55 of the way to #1D4A86
        {&at96, 699, 53, 0x5F8FCF},  {&at96, 699, 54, 0x5F8FCF},   // the light line
        {&at96, 699, 61, 0xF1E7CA},  {&at96, 699, 200, 0xF0E4C6},  // sand at 61.5/501 and 200.5/501 of the way down
        {&at96, 699, 499, 0xECDFBE}, {&at144, 1049, 80, 0x5F8FCF}, {&at144, 1049, 81, 0x5F8FCF},
        {&at144, 1049, 600, 0xEDE1C1},
    };
    for (const auto& c : cases)
        for (int x : {0, 350, 698}) EXPECT_EQ((*c.picture)[static_cast<size_t>(c.row * c.width + x)], c.colour) << c.row << ", " << x;
    EXPECT_NE(at144[79 * 1049], 0x5F8FCFu);
    EXPECT_NE(at144[82 * 1049], 0x5F8FCFu);
    const auto red = [&](int row) { return at96[static_cast<size_t>(row * 699)] >> 16; };  // the shade darkens the sand upwards
    EXPECT_LT(red(55), red(58));
    EXPECT_LT(red(58), red(61));
}

// One opaque car pixel lands at artwork (452, 26); a transparent one changes nothing.
TEST(Artwork, CarPixelAtFullSize) {
    const Picture bare = Paint(0, 96), car = Paint(0xFF102030, 96);
    for (size_t i = 0; i < bare.size(); ++i) EXPECT_EQ(car[i], i == 26 * 699 + 452 ? 0x102030u : bare[i]) << i % 699 << ", " << i / 699;
    EXPECT_EQ(Paint(0x00000000, 96), bare);
}

// At 150 % the pixel covers device (678, 39) to (679.5, 40.5); the tent filter gives (678, 40)
// 5/6 across and 1/2 down: white at 5/12 over the band's 39, 90, 157.
TEST(Artwork, CarPixelAt150) {
    const Picture bare = Paint(0, 144), car = Paint(0xFFFFFFFF, 144);
    EXPECT_EQ(car[40 * 1049 + 678], 0x819FC6u);
    for (const auto& [x, y, changed] : {std::tuple{677, 39, false}, {680, 39, false}, {678, 38, false}, {678, 41, false},
                                        {678, 39, true}, {679, 39, true}, {679, 40, true}})
        EXPECT_EQ(car[static_cast<size_t>(y * 1049 + x)] != bare[static_cast<size_t>(y * 1049 + x)], changed) << x << ", " << y;
}

TEST(Artwork, BufferOfAnotherSizeLeftAlone) {
    const std::uint32_t pixel = 0xFF102030;
    for (const auto& [width, height, size] : {std::tuple{10, 10, 99}, {10, 10, 101}, {0, 10, 0}, {-2, -5, 10}}) {
        Picture out(static_cast<size_t>(size), 0xDEADBEEF);
        PaintArtwork({1, 1, &pixel}, 700, 96, width, height, out);
        EXPECT_EQ(out, Picture(static_cast<size_t>(size), 0xDEADBEEF)) << width << " x " << height;
    }
}

}  // namespace
}  // namespace forms
