// Fixed font metrics: winemu draws nothing, so a font's size is a table entry, not a rasterizer's.
//
// At 96 dpi:
//   the stock System font (and "System" at height 0): tmHeight 16, tmAveCharWidth 7, dialog base
//       units 8 x 16
//   any face: cell height H = |lfHeight| * 13 / 11 for a negative (character) height, lfHeight
//       for a positive (cell) height, 13 when 0; tmAveCharWidth = H * 5 / 13 and dialog base
//       units (H * 6 / 13) x H, rounded. So "MS Sans Serif" 8 pt (lfHeight -11 at 96 dpi) has
//       tmHeight 13 and base units 6 x 13, what Windows reports for that font; Arial of height
//       13 the same.
// Text extents are tmAveCharWidth per character (a double-byte character counts two).
#pragma once

#include <windows.h>

namespace winemu::gdi {

struct FontMetrics {
  int height = 16;
  int ascent = 13;
  int descent = 3;
  int internalLeading = 3;
  int aveCharWidth = 7;
  int maxCharWidth = 14;
  int weight = FW_BOLD;
  int baseUnitX = 8;  // dialog base units of a dialog in this font
  int baseUnitY = 16;
};

FontMetrics MetricsFor(const LOGFONTA& font);
// The metrics of a font object; the System font for none or an unknown handle.
FontMetrics MetricsOfFont(HGDIOBJ font);

}  // namespace winemu::gdi
