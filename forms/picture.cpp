#include "forms/picture.h"

#include <cstdint>
#include <cstring>

#include "design/artwork.h"
#include "design/errors.h"

namespace forms {
namespace {

CarImage LoadCar(HINSTANCE module, int resource) {
    const wchar_t* what = L"wczytać obrazu tła";
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(2));  // RT_BITMAP
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) throw WindowFailure(what, GetLastError());
    BITMAPINFOHEADER header;
    const DWORD size = SizeofResource(module, info);
    if (size < sizeof header) throw WindowFailure(what, ERROR_INVALID_DATA);
    std::memcpy(&header, bytes, sizeof header);
    const long long pixels = static_cast<long long>(header.biWidth) * -header.biHeight;
    if (header.biSize != sizeof header || header.biBitCount != 32 || header.biCompression != BI_RGB ||
        header.biWidth <= 0 || header.biHeight >= 0 || pixels * 4 > static_cast<long long>(size - sizeof header))
        throw WindowFailure(what, ERROR_INVALID_DATA);
    return {header.biWidth, static_cast<int>(-header.biHeight),
            reinterpret_cast<const std::uint32_t*>(static_cast<const BYTE*>(bytes) + sizeof header)};
}

}  // namespace

ScopedBitmap MakePicture(HINSTANCE module, int car, int widthAt96, SIZE client, int dpi) {
    const CarImage bitmap = LoadCar(module, car);
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(bmi.bmiHeader), client.cx, -client.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    ScopedBitmap picture(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture) throw WindowFailure(L"utworzyć obrazu tła", GetLastError());
    GdiFlush();  // nothing of GDI's may still be pending on the bits written below
    PaintArtwork(bitmap, widthAt96, dpi, client.cx, client.cy,
                 {static_cast<std::uint32_t*>(bits), static_cast<size_t>(client.cx) * static_cast<size_t>(client.cy)});
    return picture;
}

}  // namespace forms
