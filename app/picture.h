#pragma once
// Background pictures: JPEGs kept as RCDATA resources inside the executable.

#include <windows.h>

#include "app/scoped.h"

namespace app {

// Decodes the JPEG resource into a top-down 32-bit DIB section, scaled from 96 dpi to
// this density; null on failure. Needs COM on the calling thread.
ScopedBitmap LoadJpegResource(HINSTANCE module, int resourceId, int dpi);

}  // namespace app
