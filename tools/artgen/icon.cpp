#include <array>
#include <stdexcept>

#include "drawings.h"
#include "palette.h"

namespace k7x::artgen {
namespace {

// The glyph's parts, placed by hand for each size so that every edge falls on a pixel.
struct IconLayout {
  int size;
  Box body, highlight, paper, slot, panel, stripe, lamp, leftFoot, rightFoot;
  std::array<Box, 3> lines;
};

constexpr IconLayout kLayouts[] = {
    {32, {2, 12, 30, 27}, {3, 13, 29, 14}, {9, 2, 23, 15}, {7, 14, 25, 16}, {5, 19, 27, 25}, {7, 21, 17, 23},
     {22, 21, 25, 23}, {4, 27, 9, 29}, {23, 27, 28, 29}, {{{11, 5, 21, 6}, {11, 8, 18, 9}, {11, 11, 20, 12}}}},
    {16, {1, 7, 15, 14}, {2, 8, 14, 9}, {4, 1, 12, 10}, {3, 9, 13, 10}, {3, 10, 13, 13}, {4, 11, 8, 12},
     {10, 11, 12, 12}, {2, 14, 5, 15}, {11, 14, 14, 15}, {{{5, 3, 11, 4}, {5, 5, 9, 6}, {5, 7, 10, 8}}}},
};

struct IconColours {
  Rgb outline, bodyTop, bodyBottom, highlight, paper, print, slot, panel, stripe, lamp, foot;
};

}  // namespace

Canvas DrawAppIcon(int size, bool shaded) {
  const IconLayout* layout = nullptr;
  for (const IconLayout& l : kLayouts)
    if (l.size == size) layout = &l;
  if (!layout) throw std::invalid_argument("icon sizes are 32 and 16");
  // The 16-colour glyph keeps to the standard colours; the 256-colour one shades its body.
  const IconColours colours =
      shaded ? IconColours{Grey(12), Grey(60), Grey(44), Grey(63), Grey(63), Grey(36), Grey(6), Grey(34), Blue(44),
                           {0, 255, 0}, Grey(8)}
             : IconColours{{0, 0, 0}, {192, 192, 192}, {192, 192, 192}, {255, 255, 255}, {255, 255, 255},
                           {128, 128, 128}, {0, 0, 0}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0}, {0, 0, 0}};
  const IconLayout& l = *layout;
  Canvas c(size, size, false);
  c.FillBox(l.leftFoot, colours.foot);
  c.FillBox(l.rightFoot, colours.foot);
  c.VerticalGradient(l.body, colours.bodyTop, colours.bodyBottom);
  c.FrameBox(l.body, colours.outline);
  c.FillBox(l.highlight, colours.highlight);
  c.FillBox(l.paper, colours.paper);
  c.FrameBox(l.paper, colours.outline);
  for (const Box& line : l.lines) c.FillBox(line, colours.print);
  c.FillBox(l.slot, colours.slot);
  c.FillBox(l.panel, colours.panel);
  c.FillBox(l.stripe, colours.stripe);
  c.FillBox(l.lamp, colours.lamp);
  return c;
}

}  // namespace k7x::artgen
