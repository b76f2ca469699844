// What the terminal shows: the drawing of screen.h seen through a view the size of the terminal,
// scrolled so that what a person must see stays in sight (an open menu, else an open message box
// or About box, else the focused control), moving no more than it must; under it a message line
// and the key help, wrapped to the width. Below kMinCols x kMinRows, one line saying so instead.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "screen.h"

namespace winemu::ui {

constexpr int kMinCols = 80;
constexpr int kMinRows = 16;

// The view's top-left cell in the drawing, kept from one picture to the next.
struct ViewOffset {
  int col = 0;
  int row = 0;
};

// Draws over the windows (the system menu); returns the cells it took, to be kept in sight.
using Overlay = std::function<std::optional<Cells>(Screen& drawing, const Drawn& drawn)>;

// `items` joined by three blanks into lines of at most `cols` cells, broken between items.
std::vector<std::string> WrapHelp(const std::vector<std::string>& items, int cols);

Screen TerminalPicture(int cols, int rows, const std::vector<std::string>& help, const std::string& message,
                       ViewOffset& offset, const Overlay& overlay = nullptr);

}  // namespace winemu::ui
