#include <algorithm>

#include "drawings.h"
#include "palette.h"

namespace k7x::artgen {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kPaper{255, 255, 255};
constexpr Rgb kLed{0, 170, 0};

// The tear-off receipt, outlined: a zigzag top edge and lines of print, its bottom inside the slot.
void DrawReceipt(Canvas& c, Box paper, int lineHeight) {
  const int width = paper.right - paper.left;
  const int teeth = std::max(1, std::min(8, width / 2));
  const int toothHeight = std::max(1, width / teeth / 2);
  const auto sheet = [&](int dx, int dy, Rgb colour) {
    for (int i = 0; i < teeth; ++i) {
      const int x0 = paper.left + width * i / teeth, x1 = paper.left + width * (i + 1) / teeth;
      const Point tooth[] = {{x0 + dx, paper.top + toothHeight + dy}, {(x0 + x1) / 2 + dx, paper.top + dy},
                             {x1 + dx, paper.top + toothHeight + dy}};
      c.FillPolygon(tooth, colour);
    }
    c.FillBox({paper.left + dx, paper.top + toothHeight + dy, paper.right + dx, paper.bottom}, colour);
  };
  sheet(-1, 0, Grey(46));
  sheet(1, 0, Grey(46));
  sheet(0, -1, Grey(46));
  sheet(0, 0, kPaper);
  static constexpr int kLinePercent[] = {100, 70, 85, 55, 90, 40, 75, 65};
  const int margin = std::max(1, width / 8);
  const int usable = width - 2 * margin;
  int line = 0;
  for (int y = paper.top + toothHeight + 2 * lineHeight; y + 4 * lineHeight <= paper.bottom; y += 3 * lineHeight) {
    const int length = std::max(1, usable * kLinePercent[line++ % std::size(kLinePercent)] / 100);
    c.FillBox({paper.left + margin, y, paper.left + margin + length, y + lineHeight}, Grey(30));
  }
}

}  // namespace

void DrawReceiptPrinter(Canvas& c, Box b, int receiptTop) {
  const int w = b.right - b.left, h = b.bottom - b.top;
  const int radius = std::max(1, h / 6);
  const int hairline = std::max(1, h / 30);

  c.FillEllipse({b.left - w / 12, b.bottom - h / 6, b.right + w / 12, b.bottom + h / 6}, kBlack, 80);
  const int footWidth = std::max(2, w / 8);
  c.FillBox({b.left + w / 10, b.bottom - 1, b.left + w / 10 + footWidth, b.bottom + hairline}, Grey(10));
  c.FillBox({b.right - w / 10 - footWidth, b.bottom - 1, b.right - w / 10, b.bottom + hairline}, Grey(10));

  // Housing, and the top cover with its highlight and seam.
  const int seam = b.top + h * 45 / 100;
  c.FillRoundBox(b, radius, Grey(44));
  c.FillRoundBox({b.left, b.top, b.right, seam}, radius, Grey(56));
  c.FillBox({b.left + radius, b.top + 1, b.right - radius, b.top + 1 + hairline}, Grey(62));
  c.FillBox({b.left + radius, seam - hairline, b.right - radius, seam}, Grey(36));

  const Box slot{b.left + w / 8, b.top + h / 5, b.right - w / 8, b.top + h / 5 + std::max(1, h / 12)};
  DrawReceipt(c, {slot.left + w / 16, receiptTop, slot.right - w / 16, slot.bottom}, std::max(1, w / 50));
  c.FillBox(slot, Grey(6));

  // Front panel: a blue stripe, a key and the status lamp.
  const Box panel{b.left + w / 10, b.top + h * 55 / 100, b.right - w / 10, b.bottom - h / 7};
  c.FillRoundBox(panel, std::max(1, h / 14), Grey(34));
  const int middle = (panel.top + panel.bottom) / 2;
  const int lamp = std::max(2, h / 8);
  c.FillBox({panel.left + w / 20, middle - hairline, panel.left + w * 35 / 100, middle + hairline}, Blue(50));
  const int lampLeft = panel.right - w / 12 - lamp;
  c.FillRoundBox({lampLeft - 3 * lamp, middle - lamp / 2, lampLeft - lamp, middle - lamp / 2 + lamp}, 1, Grey(52));
  c.FillEllipse({lampLeft, middle - lamp / 2, lampLeft + lamp, middle - lamp / 2 + lamp}, kLed);
}

}  // namespace k7x::artgen
