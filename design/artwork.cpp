#include "design/artwork.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace forms {
namespace {

using Colour = std::array<double, 3>;  // red, green, blue, 0 to 255

// The artwork's geometry and colours, in its own pixels (700 × 501).
constexpr double kArtworkWidth = 700, kArtworkHeight = 501;
constexpr double kBandBottom = 55, kBandLineTop = 53, kShadeBottom = 61;
constexpr Colour kSandTop{0xF2, 0xE8, 0xCC}, kSandBottom{0xEC, 0xDF, 0xBE};
constexpr Colour kBandTopColour{0x31, 0x69, 0xB3}, kBandBottomColour{0x1D, 0x4A, 0x86}, kBandLine{0x5F, 0x8F, 0xCF};
constexpr double kShadeOpacity = 0.16;  // of black, fading out below the band
constexpr struct { int x, y; } kCar{452, 26};  // where car.bmp's top-left corner sits

Colour Mix(const Colour& a, const Colour& b, double t) {
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

Colour ArtworkAt(double y) {
    if (y < kBandLineTop) return Mix(kBandTopColour, kBandBottomColour, y / kBandBottom);
    if (y < kBandBottom) return kBandLine;
    const Colour sand = Mix(kSandTop, kSandBottom, std::min(y / kArtworkHeight, 1.0));
    if (y >= kShadeBottom) return sand;
    return Mix(sand, {0, 0, 0}, kShadeOpacity * (kShadeBottom - y) / (kShadeBottom - kBandBottom));
}

// One device row of the band and sand, averaged over the artwork rows it covers, so that
// edges falling inside a pixel are shaded by how much of it each side takes.
std::uint32_t RowPixel(int row, double scale) {
    constexpr int kSamples = 8;
    Colour sum{};
    for (int s = 0; s < kSamples; ++s) {
        const Colour c = ArtworkAt((row + (s + 0.5) / kSamples) / scale);
        for (int i = 0; i < 3; ++i) sum[i] += c[i] / kSamples;
    }
    const auto channel = [&](int i) { return static_cast<std::uint32_t>(std::lround(sum[i])); };
    return channel(0) << 16 | channel(1) << 8 | channel(2);
}

// Weights of the source pixels behind each of `count` device pixels, a tent filter that
// widens when the picture shrinks: linear interpolation up, averaging down.
struct Taps {
    int first;
    std::vector<double> weights;
};
std::vector<Taps> Filter(int count, int device0, double scale, int source0, int sourceSize) {
    const double radius = std::max(1.0, 1 / scale);
    std::vector<Taps> taps(static_cast<size_t>(count));
    for (int d = 0; d < count; ++d) {
        const double centre = (device0 + d + 0.5) / scale - source0 - 0.5;
        Taps& t = taps[static_cast<size_t>(d)];
        t.first = static_cast<int>(std::ceil(centre - radius));
        double total = 0;
        for (int i = t.first; i <= static_cast<int>(std::floor(centre + radius)); ++i) {
            const double w = std::max(0.0, 1 - std::abs(i - centre) / radius);
            total += w;
            t.weights.push_back(i >= 0 && i < sourceSize ? w : 0);  // beyond the bitmap: transparent
        }
        for (double& w : t.weights) w /= total;
    }
    return taps;
}

// The car scaled to the density and blended over what is already there.
void LayCar(const CarImage& car, double scale, std::uint32_t* out, int clientWidth, int clientHeight) {
    const int left = static_cast<int>(std::floor(kCar.x * scale)), top = static_cast<int>(std::floor(kCar.y * scale));
    const int width = std::min<int>(static_cast<int>(std::ceil((kCar.x + car.width) * scale)) + 1, clientWidth) - left;
    const int height = std::min<int>(static_cast<int>(std::ceil((kCar.y + car.height) * scale)) + 1, clientHeight) - top;
    if (width <= 0 || height <= 0) return;
    const std::vector<Taps> across = Filter(width, left, scale, kCar.x, car.width);
    const std::vector<Taps> down = Filter(height, top, scale, kCar.y, car.height);
    using Premultiplied = std::array<double, 4>;
    const auto channels = [](std::uint32_t p) {
        return Premultiplied{double(p & 0xFF), double(p >> 8 & 0xFF), double(p >> 16 & 0xFF), double(p >> 24)};
    };
    // Across first, every bitmap row; then down, straight into the picture.
    std::vector<Premultiplied> rows(static_cast<size_t>(car.height * width));
    for (int y = 0; y < car.height; ++y)
        for (int x = 0; x < width; ++x) {
            Premultiplied& sum = rows[static_cast<size_t>(y * width + x)];
            const Taps& t = across[static_cast<size_t>(x)];
            for (size_t i = 0; i < t.weights.size(); ++i) {
                if (t.weights[i] == 0) continue;
                const Premultiplied p = channels(car.pixels[y * car.width + t.first + static_cast<int>(i)]);
                for (int c = 0; c < 4; ++c) sum[c] += p[c] * t.weights[i];
            }
        }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Premultiplied sum{};
            const Taps& t = down[static_cast<size_t>(y)];
            for (size_t i = 0; i < t.weights.size(); ++i)
                if (t.weights[i] != 0)
                    for (int c = 0; c < 4; ++c)
                        sum[c] += rows[static_cast<size_t>((t.first + static_cast<int>(i)) * width + x)][c] * t.weights[i];
            std::uint32_t& pixel = out[(top + y) * clientWidth + left + x];
            const Premultiplied under = channels(pixel);
            std::uint32_t blended = 0;
            for (int c = 0; c < 3; ++c)
                blended |= static_cast<std::uint32_t>(std::lround(sum[c] + under[c] * (1 - sum[3] / 255))) << (8 * c);
            pixel = blended;
        }
}

}  // namespace

void PaintArtwork(const CarImage& car, int widthAt96, int dpi, int width, int height, std::span<std::uint32_t> out) {
    if (width <= 0 || height <= 0 || out.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) return;
    const double scale = widthAt96 / kArtworkWidth * dpi / 96;
    for (int y = 0; y < height; ++y) std::fill_n(out.begin() + y * width, width, RowPixel(y, scale));
    LayCar(car, scale, out.data(), width, height);
}

}  // namespace forms
