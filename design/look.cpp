#include "design/look.h"

#include <algorithm>
#include <cmath>

namespace forms {
namespace {

double Linear(unsigned char channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Rgb c) { return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b); }

}  // namespace

double ContrastRatio(Rgb a, Rgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb Legible(Rgb ink, Rgb background, Rgb schemeText) {
    return ContrastRatio(ink, background) >= kStandsOut ? ink : schemeText;
}

int PointerSize(int dpi) {
    for (int size : {64, 48})
        if (size * 96 <= 32 * dpi) return size;
    return 32;
}

}  // namespace forms
