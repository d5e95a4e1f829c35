#include "design/look.h"

#include <gtest/gtest.h>

namespace forms {
namespace {

// Worked by hand: luminance 0 for black, 1 for white, 0.0722 for pure blue; dark red's channel
// 128/255 is 0.2159 linear, 0.0459 weighted. Greys 118 and 119 lie either side of 4.5 against white.
TEST(Look, ContrastRatiosAndWhenAnInkStandsOut) {
    constexpr Rgb black{0, 0, 0}, white{255, 255, 255}, blue{0, 0, 255};
    const struct { Rgb a, b; double ratio; } ratios[] = {
        {black, white, 21}, {white, black, 21}, {blue, blue, 1},  {blue, black, 2.444},
        {kDarkRed, white, 10.95}, {kDarkRed, black, 1.918}, {{118, 118, 118}, white, 4.542}, {{119, 119, 119}, white, 4.478}};
    for (const auto& r : ratios) EXPECT_NEAR(ContrastRatio(r.a, r.b), r.ratio, 0.001) << r.ratio;
    const auto same = [](Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
    EXPECT_TRUE(same(Legible(kDarkRed, white, black), kDarkRed));
    EXPECT_TRUE(same(Legible(kDarkRed, black, white), white));
    EXPECT_TRUE(same(Legible({118, 118, 118}, white, black), Rgb{118, 118, 118}));
    EXPECT_TRUE(same(Legible({119, 119, 119}, white, black), black));
}

TEST(Look, PointerSizeIsTheLargestImageNotAboveTheSystemsSize) {
    const int dpis[] = {72, 96, 120, 143, 144, 168, 191, 192, 288}, sizes[] = {32, 32, 32, 32, 48, 48, 48, 64, 64};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(PointerSize(dpis[i]), sizes[i]) << dpis[i] << " dpi";
}

}  // namespace
}  // namespace forms
