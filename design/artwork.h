#pragma once
// The windows' background as plain pixels: the artwork's blue band over sand, drawn for
// the window's size and density, and the car laid over the top-right corner. The same
// pixels on every system; no Windows header.

#include <cstdint>
#include <span>

namespace forms {

struct CarImage {
    int width, height;
    const std::uint32_t* pixels;  // premultiplied BGRA, top row first
};

// The artwork is 700 × 501 at full size; a window shows it `widthAt96` pixels wide at
// 96 dpi, scaled by the density from there. out: width × height pixels, 0x00RRGGBB, top
// row first; left as it is when its size is not that.
void PaintArtwork(const CarImage& car, int widthAt96, int dpi, int width, int height, std::span<std::uint32_t> out);

}  // namespace forms
