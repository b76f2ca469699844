#include "terminal_view.h"

#include <algorithm>

namespace winemu::ui {
namespace {

// Room enough for any window the programs open.
constexpr int kDrawingCols = 400;
constexpr int kDrawingRows = 200;

// The start of a view of `size` cells over [lo, hi): unmoved while [lo, hi) is in sight, else
// moved just enough, to lo when the range is larger than the view.
int Follow(int start, int lo, int hi, int size) {
  if (hi - lo > size || lo < start) return lo;
  if (hi > start + size) return hi - size;
  return start;
}

Cells Union(const Cells& a, const Cells& b) {
  return Cells{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

}  // namespace

std::vector<std::string> WrapHelp(const std::vector<std::string>& items, int cols) {
  std::vector<std::string> lines;
  for (const std::string& item : items) {
    if (!lines.empty() && TextWidth(lines.back()) + 3 + TextWidth(item) <= cols) lines.back() += "   " + item;
    else lines.push_back(item);
  }
  return lines;
}

Screen TerminalPicture(int cols, int rows, const std::vector<std::string>& help, const std::string& message,
                       ViewOffset& offset, const Overlay& overlay) {
  Screen picture(cols, rows);
  if (cols < kMinCols || rows < kMinRows) {
    picture.Put(0, 0, "The wizard needs at least " + std::to_string(kMinCols) + "x" + std::to_string(kMinRows) +
                          "; this terminal is " + std::to_string(cols) + "x" + std::to_string(rows) + ". Ctrl+C stops.");
    return picture;
  }
  std::vector<std::string> helpLines = WrapHelp(help, cols);
  int viewRows = rows - static_cast<int>(helpLines.size());

  Screen drawing(kDrawingCols, kDrawingRows);
  Drawn drawn = DrawWindows(drawing);
  std::optional<Cells> menu = overlay ? overlay(drawing, drawn) : std::nullopt;
  Cells extent = drawn.box ? Union(drawn.root, *drawn.box) : drawn.root;
  std::optional<Cells> keep = menu ? menu : drawn.box;
  if (!keep && drawn.focus) keep = Cells{std::max(0, drawn.focus->left - 1), drawn.focus->top, drawn.focus->right,
                                         drawn.focus->bottom};  // with the ▸ left of it
  if (keep) {
    extent = Union(extent, *keep);
    offset.col = Follow(offset.col, keep->left, keep->right, cols);
    offset.row = Follow(offset.row, keep->top, keep->bottom, viewRows);
  }
  offset.col = std::clamp(offset.col, 0, std::max(0, extent.right - cols));
  offset.row = std::clamp(offset.row, 0, std::max(0, extent.bottom - viewRows));
  picture.CopyFrom(drawing, offset.col, offset.row, viewRows);

  // A box cut by the view's right edge is marked there, on each of its rows in sight.
  if (drawn.box && drawn.box->right > offset.col + cols)
    for (int row = std::max(drawn.box->top, offset.row); row < std::min(drawn.box->bottom, offset.row + viewRows); ++row)
      picture.Put(cols - 1, row - offset.row, ">");
  if (!message.empty()) {
    picture.Put(0, viewRows - 1, std::string(static_cast<size_t>(cols), ' '));
    picture.Put(0, viewRows - 1, message);
  }
  for (size_t i = 0; i < helpLines.size(); ++i) picture.Put(0, viewRows + static_cast<int>(i), helpLines[i]);
  return picture;
}

}  // namespace winemu::ui
