#include "canvas.h"

#include <algorithm>
#include <stdexcept>

namespace k7x::artgen {
namespace {

// Shapes are tested at sample points measured in eighths of a pixel.
constexpr std::int64_t kUnit = 8;

std::uint8_t Mix(int over, int under, int weight, int total) {
  return static_cast<std::uint8_t>((over * weight + under * (total - weight) + total / 2) / total);
}

std::uint8_t Lerp(int from, int to, int step, int steps) {
  if (steps == 0) return static_cast<std::uint8_t>(from);
  int delta = (to - from) * step;
  return static_cast<std::uint8_t>(from + (delta >= 0 ? (delta + steps / 2) / steps : -((-delta + steps / 2) / steps)));
}

}  // namespace

Canvas::Canvas(int width, int height, bool antialias)
    : width_(width), height_(height),
      samples_(antialias ? std::vector<int>{1, 3, 5, 7} : std::vector<int>{4}),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)),
      opaque_(pixels_.size(), false) {
  if (width <= 0 || height <= 0) throw std::invalid_argument("canvas size must be positive");
}

template <typename Inside>
void Canvas::Paint(Box bounds, const Inside& inside, Rgb colour, int alpha) {
  const int x0 = std::max(bounds.left, 0), x1 = std::min(bounds.right, width_);
  const int y0 = std::max(bounds.top, 0), y1 = std::min(bounds.bottom, height_);
  const int perPixel = static_cast<int>(samples_.size() * samples_.size());
  const int total = 255 * perPixel;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      int covered = 0;
      for (int sy : samples_)
        for (int sx : samples_)
          if (inside(x * kUnit + sx, y * kUnit + sy)) ++covered;
      if (covered == 0 || alpha == 0) continue;
      const int weight = alpha * covered;
      Rgb& p = pixels_[Index(x, y)];
      p = {Mix(colour.r, p.r, weight, total), Mix(colour.g, p.g, weight, total), Mix(colour.b, p.b, weight, total)};
      opaque_[Index(x, y)] = true;
    }
  }
}

void Canvas::VerticalGradient(Box box, Rgb top, Rgb bottom) {
  const int steps = box.bottom - box.top - 1;
  for (int y = box.top; y < box.bottom; ++y) {
    const int step = y - box.top;
    Rgb c{Lerp(top.r, bottom.r, step, steps), Lerp(top.g, bottom.g, step, steps), Lerp(top.b, bottom.b, step, steps)};
    FillBox({box.left, y, box.right, y + 1}, c);
  }
}

void Canvas::FillBox(Box box, Rgb colour, int alpha) {
  Paint(box, [](std::int64_t, std::int64_t) { return true; }, colour, alpha);
}

void Canvas::FrameBox(Box box, Rgb colour) {
  FillBox({box.left, box.top, box.right, box.top + 1}, colour);
  FillBox({box.left, box.bottom - 1, box.right, box.bottom}, colour);
  FillBox({box.left, box.top + 1, box.left + 1, box.bottom - 1}, colour);
  FillBox({box.right - 1, box.top + 1, box.right, box.bottom - 1}, colour);
}

void Canvas::FillEllipse(Box box, Rgb colour, int alpha) {
  // Doubled coordinates keep the centre on the sample grid: (dx / w)^2 + (dy / h)^2 <= 1.
  const std::int64_t cx2 = (box.left + box.right) * kUnit, cy2 = (box.top + box.bottom) * kUnit;
  const std::int64_t w = (box.right - box.left) * kUnit, h = (box.bottom - box.top) * kUnit;
  Paint(box, [=](std::int64_t sx, std::int64_t sy) {
    const std::int64_t dx = 2 * sx - cx2, dy = 2 * sy - cy2;
    return dx * dx * h * h + dy * dy * w * w <= w * w * h * h;
  }, colour, alpha);
}

void Canvas::FillRoundBox(Box box, int radius, Rgb colour, int alpha) {
  const std::int64_t r = radius * kUnit;
  const std::int64_t left = box.left * kUnit, right = box.right * kUnit;
  const std::int64_t top = box.top * kUnit, bottom = box.bottom * kUnit;
  Paint(box, [=](std::int64_t sx, std::int64_t sy) {
    const std::int64_t qx = std::clamp(sx, left + r, right - r), qy = std::clamp(sy, top + r, bottom - r);
    return (sx - qx) * (sx - qx) + (sy - qy) * (sy - qy) <= r * r;
  }, colour, alpha);
}

void Canvas::FillPolygon(std::span<const Point> corners, Rgb colour, int alpha) {
  if (corners.size() < 3) throw std::invalid_argument("a polygon needs three corners");
  Box bounds{corners[0].x, corners[0].y, corners[0].x, corners[0].y};
  for (const Point& p : corners) {
    bounds = {std::min(bounds.left, p.x), std::min(bounds.top, p.y), std::max(bounds.right, p.x),
              std::max(bounds.bottom, p.y)};
  }
  Paint(bounds, [corners](std::int64_t sx, std::int64_t sy) {
    bool anyPositive = false, anyNegative = false;
    for (std::size_t i = 0; i < corners.size(); ++i) {
      const Point& a = corners[i];
      const Point& b = corners[(i + 1) % corners.size()];
      const std::int64_t cross = (b.x - a.x) * kUnit * (sy - a.y * kUnit) - (b.y - a.y) * kUnit * (sx - a.x * kUnit);
      anyPositive |= cross > 0;
      anyNegative |= cross < 0;
    }
    return !(anyPositive && anyNegative);
  }, colour, alpha);
}

}  // namespace k7x::artgen
