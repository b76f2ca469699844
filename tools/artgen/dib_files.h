// Windows .bmp and .ico files of palette images, as the resource compiler reads them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "palette.h"

namespace k7x::artgen {

// BITMAPFILEHEADER, BITMAPINFOHEADER, the whole palette, rows from the bottom.
std::vector<std::uint8_t> BmpFile(const IndexedImage& image);
// ICONDIR, one ICONDIRENTRY an image, then each image: BITMAPINFOHEADER of twice its height,
// palette, colour rows and the AND mask (set where the image is not opaque), both from the bottom.
std::vector<std::uint8_t> IcoFile(std::span<const IndexedImage> images);

}  // namespace k7x::artgen
