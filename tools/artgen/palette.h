// The fixed palettes of the artwork and the mapping of a drawing onto one of them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "canvas.h"

namespace k7x::artgen {

// The 16 colours of a 4-bit Windows DIB, in the system palette's order.
std::span<const Rgb> StandardPalette();
// 256 colours: the standard 16, a blue ramp, a grey ramp and a small colour cube.
std::span<const Rgb> ArtPalette();

constexpr int kBlueSteps = 96;
constexpr int kGreySteps = 64;
// Entries of ArtPalette(): step 0 is the darkest.
Rgb Blue(int step);
Rgb Grey(int step);

// A picture as palette indices, rows from the top, with the palette it indexes.
struct IndexedImage {
  int width = 0;
  int height = 0;
  int bitCount = 8;  // 4 or 8
  std::vector<Rgb> palette;
  std::vector<std::uint8_t> indices;
  std::vector<bool> opaque;  // the canvas's coverage, for an icon's mask
};

// Each pixel takes the nearest palette entry (weighted RGB distance, the lowest index on a tie).
IndexedImage Quantize(const Canvas& canvas, std::span<const Rgb> palette, int bitCount);

}  // namespace k7x::artgen
