#include "fonts.h"

#include <string_view>

#include "gdi.h"

namespace winemu::gdi {
namespace {

bool SameFace(const char* face, std::string_view name) {
  size_t i = 0;
  for (; i < name.size(); ++i) {
    char a = face[i];
    if (a == '\0') return false;
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 32);
    char b = name[i];
    if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 32);
    if (a != b) return false;
  }
  return face[i] == '\0';
}

int Round(int numerator, int denominator) { return (numerator + denominator / 2) / denominator; }

FontMetrics SystemFont() { return FontMetrics{}; }

}  // namespace

FontMetrics MetricsFor(const LOGFONTA& font) {
  char face[LF_FACESIZE + 1] = {0};
  for (int i = 0; i < LF_FACESIZE && font.lfFaceName[i]; ++i) face[i] = font.lfFaceName[i];
  FontMetrics m;
  m.weight = font.lfWeight ? font.lfWeight : FW_NORMAL;
  int cell;
  if (font.lfHeight < 0) cell = Round(-font.lfHeight * 13, 11);
  else if (font.lfHeight > 0) cell = font.lfHeight;
  else cell = 13;
  if (SameFace(face, "System") && font.lfHeight == 0) return SystemFont();
  m.height = cell;
  m.descent = Round(cell * 2, 13);
  m.ascent = cell - m.descent;
  m.internalLeading = font.lfHeight < 0 ? cell + font.lfHeight : Round(cell * 2, 13);
  if (m.internalLeading < 0) m.internalLeading = 0;
  m.aveCharWidth = Round(cell * 5, 13);
  if (m.aveCharWidth < 1) m.aveCharWidth = 1;
  m.maxCharWidth = cell - m.descent;
  m.baseUnitX = Round(cell * 6, 13);
  if (m.baseUnitX < 1) m.baseUnitX = 1;
  m.baseUnitY = cell;
  return m;
}

FontMetrics MetricsOfFont(HGDIOBJ font) {
  Object* o = font ? Gdi().Get(font) : nullptr;
  if (!o || o->type != OBJ_FONT) return SystemFont();
  if (o->stock && o->font.lfFaceName[0] == '\0') return SystemFont();
  return MetricsFor(o->font);
}

}  // namespace winemu::gdi

using namespace winemu;
using namespace winemu::gdi;
