#include "drawings.h"
#include "palette.h"

namespace k7x::artgen {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

// A spare paper roll lying on its side, its loose end running out to the right.
void DrawPaperRoll(Canvas& c, Box roll) {
  const int h = roll.bottom - roll.top;
  const int end = h * 5 / 8;  // width of an end face seen at an angle
  c.FillEllipse({roll.left - end / 3, roll.bottom - h / 5, roll.right + end, roll.bottom + h / 4}, kBlack, 70);
  c.FillEllipse({roll.right - end, roll.top, roll.right, roll.bottom}, Grey(52));
  c.FillBox({roll.left + end / 2, roll.top, roll.right - end / 2, roll.bottom}, Grey(58));
  c.FillBox({roll.left + end / 2, roll.top + h / 16, roll.right - end / 2, roll.top + h / 6}, Grey(62));
  c.FillBox({roll.left + end / 2, roll.bottom - h / 5, roll.right - end / 2, roll.bottom}, Grey(50));
  c.FillBox({roll.right - end / 2, roll.bottom - h / 8, roll.right + h, roll.bottom}, kWhite);
  c.FillEllipse({roll.left, roll.top, roll.left + end, roll.bottom}, kWhite);
  c.FillEllipse({roll.left + end / 4, roll.top + h / 4, roll.left + end * 3 / 4, roll.bottom - h / 4}, Grey(40));
  c.FillEllipse({roll.left + end * 3 / 8, roll.top + h * 11 / 32, roll.left + end * 5 / 8, roll.bottom - h * 11 / 32},
                Grey(14));
}

}  // namespace

Canvas DrawSidePicture() {
  Canvas c(164, 314, true);
  c.VerticalGradient({0, 0, 164, 314}, Blue(4), Blue(58));
  c.FillEllipse({60, -70, 240, 110}, kWhite, 20);
  c.FillEllipse({96, -34, 204, 74}, kWhite, 20);
  c.FillEllipse({-70, 110, 60, 240}, kWhite, 12);
  DrawReceiptPrinter(c, {30, 190, 134, 250}, 84);
  DrawPaperRoll(c, {24, 266, 104, 298});
  return c;
}

Canvas DrawLogo() {
  Canvas c(53, 53, true);
  c.FillBox({0, 0, 53, 53}, kWhite);
  c.FillEllipse({0, 0, 34, 34}, Blue(34));
  c.FillEllipse({2, 2, 32, 32}, Blue(78));
  c.FillEllipse({6, 4, 24, 16}, kWhite, 90);
  c.FillEllipse({11, 11, 23, 23}, Grey(52));
  c.FillEllipse({14, 14, 20, 20}, kWhite);
  DrawReceiptPrinter(c, {14, 28, 52, 46}, 17);
  return c;
}

}  // namespace k7x::artgen
