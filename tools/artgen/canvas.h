// An RGB picture drawn with simple shapes on the pixel grid, in integer arithmetic only, so that
// the same program always draws the same bytes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace k7x::artgen {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// A point of the pixel grid: (0, 0) is the top-left corner of the top-left pixel.
struct Point {
  int x = 0, y = 0;
};

// The pixels from left to right - 1 and from top to bottom - 1.
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Each pixel starts transparent. A shape covers a pixel where it covers the pixel's sample
// points: its centre, or with antialiasing a 4 x 4 grid, the colour then mixed by the share
// covered. Alpha (0 to 255) mixes the shape's colour with what lies below.
class Canvas {
 public:
  Canvas(int width, int height, bool antialias);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
  bool Opaque(int x, int y) const { return opaque_[Index(x, y)]; }

  // Rows from `top` to `bottom` colour, evenly mixed from the first row to the last.
  void VerticalGradient(Box box, Rgb top, Rgb bottom);
  void FillBox(Box box, Rgb colour, int alpha = 255);
  // A one pixel line just inside the box.
  void FrameBox(Box box, Rgb colour);
  // The ellipse inscribed in the box.
  void FillEllipse(Box box, Rgb colour, int alpha = 255);
  void FillRoundBox(Box box, int radius, Rgb colour, int alpha = 255);
  // A convex polygon, its corners in either order.
  void FillPolygon(std::span<const Point> corners, Rgb colour, int alpha = 255);

 private:
  template <typename Inside>
  void Paint(Box bounds, const Inside& inside, Rgb colour, int alpha);
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }

  int width_;
  int height_;
  std::vector<int> samples_;  // sample offsets within a pixel, in eighths of a pixel
  std::vector<Rgb> pixels_;
  std::vector<bool> opaque_;
};

}  // namespace k7x::artgen
