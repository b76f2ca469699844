// The drawing of the terminal driver: the windows a person sees, drawn onto a grid of character
// cells. The active window's top-level owner is placed at the grid's top-left corner, windows over
// it (message boxes, the About box) are drawn in z-order above it, every control at the cells its
// rectangle covers (a cell is 81/16 by 12 pixels, so the wizard's 405-pixel frame is 80 columns,
// a terminal's default width). What the grid shows:
//
//   ╔═ Caption ═════╗   a top-level window       ┌─ Text ───┐   a group box framing its controls
//   [ Next ]            a push button            [=Next=]     the default push button
//   [ (Back) ]          a disabled button        ▸            the focus, left of its control
//   (•) English ( ) Chinese   radio buttons      [x] Set as default printer   a check box
//   [text______]        an edit control          [text      ]  a read-only edit control
//   » entry             the selected entry of a list box
//   [█████░░░░░]        a progress bar           ░░░░         a picture
//
// Texts come from the window tree (UTF-16, decoded from the machine's code page when the program
// set them); & prefixes are dropped; East Asian wide characters take two cells.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace winemu::ui {

class Screen {
 public:
  Screen(int cols, int rows);

  int Cols() const { return cols_; }
  int Rows() const { return rows_; }
  // Writes `text` (UTF-8) from (col, row), clipped at the grid's edge; returns the cells used.
  int Put(int col, int row, const std::string& text, char attribute = ' ');
  // The grid as UTF-8 lines without trailing blanks.
  std::vector<std::string> Lines() const;
  std::string Text() const;  // Lines() joined, each ending in '\n'
  // The attribute of a cell: ' ' plain, 'f' the focused control, 'd' disabled, 's' selected.
  char Attribute(int col, int row) const;
  // Underlines a cell (the & mnemonic of a text).
  void Underline(int col, int row);
  // Copies the cells of `from` starting at (col, row) onto this grid's first `rows` rows; a wide
  // character cut by the edge of the copy becomes a blank.
  void CopyFrom(const Screen& from, int col, int row, int rows);
  // The grid for a terminal: reverse video for the focus and the selection, dim for disabled,
  // mnemonics underlined.
  std::string Ansi() const;

 private:
  struct Cell {
    char32_t ch = U' ';  // 0: the right half of a wide character
    char attribute = ' ';
    bool underline = false;
  };
  Cell* At(int col, int row);
  int cols_;
  int rows_;
  std::vector<Cell> cells_;
};

// Pixels a cell stands for: kCellWidthNum / kCellWidthDen across, kCellHeight down.
constexpr int kCellWidthNum = 81;
constexpr int kCellWidthDen = 16;
constexpr int kCellHeight = 12;

// A rectangle of cells; right and bottom exclusive.
struct Cells {
  int left, top, right, bottom;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  int Middle() const { return top + (Height() - 1) / 2; }
};

// Where the drawing put what a person must see: the topmost window (the top-level owner) and,
// when there are any, the active window over it (a message box, the About box) and the focus.
struct Drawn {
  Cells root{0, 0, 0, 0};
  std::optional<Cells> box;
  std::optional<Cells> focus;
};

// The cells a UTF-8 text takes.
int TextWidth(const std::string& text);

// Draws every visible top-level window of the active window's family, bottom first.
Drawn DrawWindows(Screen& screen);

// A control's text as shown: "&&" is "&", a single & is dropped, a tab and what follows it too.
// `mnemonic` receives the index in the result of the character after the single &, or -1.
std::u16string ShownText(std::u16string_view text, int* mnemonic = nullptr);

}  // namespace winemu::ui
