#include "palette.h"

#include <array>
#include <stdexcept>

namespace k7x::artgen {
namespace {

constexpr std::array<Rgb, 16> kStandard{{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255},
    {255, 255, 255},
}};

constexpr Rgb kBlueDark{6, 22, 74};
constexpr Rgb kBlueLight{168, 206, 252};
constexpr int kCubeRed = 4, kCubeGreen = 4, kCubeBlue = 5;

// Step `step` of `steps` even steps from `from` up to `to` (from <= to), rounded.
std::uint8_t Step(int from, int to, int step, int steps) {
  return static_cast<std::uint8_t>(from + ((to - from) * step * 2 + (steps - 1)) / (2 * (steps - 1)));
}

std::array<Rgb, 256> MakeArtPalette() {
  std::array<Rgb, 256> p{};
  std::size_t n = 0;
  for (const Rgb& c : kStandard) p[n++] = c;
  for (int i = 0; i < kBlueSteps; ++i) p[n++] = Blue(i);
  for (int i = 0; i < kGreySteps; ++i) p[n++] = Grey(i);
  for (int r = 0; r < kCubeRed; ++r)
    for (int g = 0; g < kCubeGreen; ++g)
      for (int b = 0; b < kCubeBlue; ++b)
        p[n++] = {Step(0, 255, r, kCubeRed), Step(0, 255, g, kCubeGreen), Step(0, 255, b, kCubeBlue)};
  static_assert(16 + kBlueSteps + kGreySteps + kCubeRed * kCubeGreen * kCubeBlue == 256);
  return p;
}

int Distance(Rgb a, Rgb b) {
  const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
  return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
}

}  // namespace

std::span<const Rgb> StandardPalette() { return kStandard; }

std::span<const Rgb> ArtPalette() {
  static const std::array<Rgb, 256> palette = MakeArtPalette();
  return palette;
}

Rgb Blue(int step) {
  if (step < 0 || step >= kBlueSteps) throw std::out_of_range("blue step");
  return {Step(kBlueDark.r, kBlueLight.r, step, kBlueSteps), Step(kBlueDark.g, kBlueLight.g, step, kBlueSteps),
          Step(kBlueDark.b, kBlueLight.b, step, kBlueSteps)};
}

Rgb Grey(int step) {
  if (step < 0 || step >= kGreySteps) throw std::out_of_range("grey step");
  const std::uint8_t v = Step(0, 255, step, kGreySteps);
  return {v, v, v};
}

IndexedImage Quantize(const Canvas& canvas, std::span<const Rgb> palette, int bitCount) {
  if ((bitCount != 4 && bitCount != 8) || palette.size() != (std::size_t{1} << bitCount))
    throw std::invalid_argument("a palette of 16 colours for 4 bits or 256 for 8");
  IndexedImage image{canvas.width(), canvas.height(), bitCount, {palette.begin(), palette.end()}, {}, {}};
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const Rgb c = canvas.At(x, y);
      std::size_t best = 0;
      for (std::size_t i = 1; i < palette.size(); ++i)
        if (Distance(c, palette[i]) < Distance(c, palette[best])) best = i;
      image.indices.push_back(static_cast<std::uint8_t>(best));
      image.opaque.push_back(canvas.Opaque(x, y));
    }
  }
  return image;
}

}  // namespace k7x::artgen
