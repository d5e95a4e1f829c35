#pragma once
// A 32-bit top-down DIB section selected into a DC, to draw on with GDI and then read.
// GDI may batch a thread's drawing calls: the pixels are handed out only after
// GdiFlush, as the DIB section's documentation asks, so that what is read is drawn.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "forms/scoped.h"

namespace forms {

class Canvas {
public:
    // Selected into dc for the canvas's life; filled with white.
    Canvas(HDC dc, int width, int height) : dc_(dc), width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_.reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
        if (!bitmap_) return;
        old_ = SelectObject(dc, bitmap_.get());
        for (std::uint32_t& p : Pixels()) p = 0xFFFFFFu;
    }
    ~Canvas() {
        if (bitmap_) SelectObject(dc_, old_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    explicit operator bool() const { return bitmap_ && bits_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // 0x00RRGGBB, top row first, as drawn so far.
    std::span<std::uint32_t> Pixels() const {
        GdiFlush();
        return {bits_, bits_ ? static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) : 0};
    }

private:
    HDC dc_;
    int width_, height_;
    std::uint32_t* bits_ = nullptr;
    ScopedBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace forms
