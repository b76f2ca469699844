#include "screen.h"

#include <algorithm>
#include <cctype>

#include "user32/control_data.h"
#include "user32/controls.h"
#include "user32/icons.h"
#include "user32/window_ops.h"

namespace winemu::ui {
namespace {

using user32::Window;

int WidthOf(char32_t c) {
  bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
              (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
              (c >= 0xFFE0 && c <= 0xFFE6);
  return wide ? 2 : 1;
}

std::u32string FromUtf16(std::u16string_view s) {
  std::u32string out;
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
    out.push_back(c);
  }
  return out;
}

std::u32string FromUtf8(std::string_view s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t c = extra ? (b & (0x3F >> extra)) : b;
    ++i;
    for (int k = 0; k < extra && i < s.size(); ++k, ++i) c = (c << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    out.push_back(c);
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

int WidthOf(const std::u32string& s) {
  int w = 0;
  for (char32_t c : s) w += WidthOf(c);
  return w;
}

std::string Utf8(const std::u32string& s) {
  std::string out;
  for (char32_t c : s) AppendUtf8(out, c);
  return out;
}

// Breaks a text into lines of at most `width` cells: at spaces where it can, anywhere in a run of
// wide characters, at every line feed.
std::vector<std::u32string> Wrap(const std::u32string& text, int width) {
  std::vector<std::u32string> lines;
  std::u32string line;
  size_t lastSpace = std::u32string::npos;
  // Ends the line before `keep`, which starts the next one.
  auto lineBreak = [&](size_t keep) {
    std::u32string rest = line.substr(std::min(keep, line.size()));
    line.resize(std::min(keep, line.size()));
    lines.push_back(line);
    line = rest;
    lastSpace = std::u32string::npos;
  };
  for (char32_t c : text) {
    if (c == U'\r') continue;
    if (c == U'\n') {
      lineBreak(line.size());
      continue;
    }
    if (WidthOf(line) + WidthOf(c) > width && !line.empty()) {
      if (c == U' ') {
        lineBreak(line.size());
        continue;
      }
      if (lastSpace == std::u32string::npos) {
        lineBreak(line.size());
      } else {
        size_t space = lastSpace;
        lineBreak(space);
        line.erase(0, 1);  // the space the line broke at
      }
    }
    if (c == U' ') lastSpace = line.size();
    line.push_back(c);
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

class Painter {
 public:
  Painter(Screen& s, POINT origin) : s_(s), origin_(origin) {}

  // Draws a top-level window and its controls, centred over `over` when given; a window beyond the
  // grid's edge is moved inside it. Returns the cells it took.
  Cells TopLevel(Window* w, const std::optional<Cells>& over = std::nullopt) {
    shiftCol_ = shiftRow_ = 0;
    Cells c = CellsOf(w);
    if (over) {
      shiftCol_ = over->left + (over->Width() - c.Width()) / 2 - c.left;
      shiftRow_ = over->top + (over->Height() - c.Height()) / 2 - c.top;
      c = CellsOf(w);
    }
    shiftCol_ += std::max(-c.left, std::min(0, s_.Cols() - c.right));
    shiftRow_ += std::max(-c.top, std::min(0, s_.Rows() - 1 - c.bottom));
    c = CellsOf(w);
    clip_ = Cells{0, 0, s_.Cols(), s_.Rows()};
    Fill(c, U' ');
    Box(c, U'╔', U'═', U'╗', U'║', U'╚', U'╝');
    std::u32string caption = FromUtf16(w->text);
    if (!caption.empty()) Put(c.left + 2, c.top, U" " + caption + U" ");
    Children(w);
    return c;
  }

  // The focused control's cells, once drawn.
  const std::optional<Cells>& Focus() const { return focus_; }

  Cells CellsOf(const Window* w) const {
    RECT r{};
    GetWindowRect(w->handle, &r);
    return CellsOf(r);
  }

 private:
  // The cells of a rectangle in screen pixels.
  Cells CellsOf(const RECT& r) const {
    int left = Floor((r.left - origin_.x) * kCellWidthDen, kCellWidthNum) + shiftCol_;
    int top = Floor(r.top - origin_.y, kCellHeight) + shiftRow_;
    int right = std::max(left + 1, Round((r.right - origin_.x) * kCellWidthDen, kCellWidthNum) + shiftCol_);
    int bottom = std::max(top + 1, Round(r.bottom - origin_.y, kCellHeight) + shiftRow_);
    return Cells{left, top, right, bottom};
  }

  // A child is clipped to its parent's client area, as on the screen.
  Cells ClientCells(const Window* w) const {
    POINT o = user32::ClientOrigin(w);
    RECT size = user32::ClientRectOf(w);
    return CellsOf(RECT{o.x, o.y, o.x + size.right, o.y + size.bottom});
  }
  static int Floor(long v, int unit) { return static_cast<int>(v >= 0 ? v / unit : -((-v + unit - 1) / unit)); }
  static int Round(long v, int unit) { return Floor(v + unit / 2, unit); }

  void Children(Window* parent) {
    Cells saved = clip_;
    Cells client = ClientCells(parent);
    if (!parent->parent) {  // inside the border drawn around a top-level window
      Cells box = CellsOf(parent);
      client = Cells{std::max(client.left, box.left + 1), std::max(client.top, box.top + 1), std::min(client.right, box.right - 1),
                     std::min(client.bottom, box.bottom - 1)};
    }
    clip_ = Cells{std::max(clip_.left, client.left), std::max(clip_.top, client.top), std::min(clip_.right, client.right),
                  std::min(clip_.bottom, client.bottom)};
    for (auto it = parent->children.rbegin(); it != parent->children.rend(); ++it) {
      Window* c = *it;
      if (!(c->style & WS_VISIBLE)) continue;
      Control(c);
      if (!c->control) Children(c);
    }
    clip_ = saved;
  }

  bool Focused(const Window* w) const { return user32::WS().focus == w->handle; }

  // A control is drawn grayed when it or a parent is disabled; a top-level window disabled by a
  // modal window over it draws its controls as they are.
  static bool Grayed(const Window* w) {
    for (; w && w->parent; w = w->parent)
      if (w->style & WS_DISABLED) return true;
    return false;
  }

  char AttributeOf(const Window* w) const {
    if (Grayed(w)) return 'd';
    return Focused(w) ? 'f' : ' ';
  }

  // The mnemonic's cell of a text drawn from `col`.
  void UnderlineMnemonic(const std::u16string& shown, int mnemonic, int col, int row) {
    if (mnemonic < 0) return;
    int at = col + WidthOf(FromUtf16(std::u16string_view(shown).substr(0, static_cast<size_t>(mnemonic))));
    if (row >= clip_.top && row < clip_.bottom && at >= clip_.left && at < clip_.right) s_.Underline(at, row);
  }

  void MarkFocus(const Window* w, int col, int row) {
    if (Focused(w) && col > 0) Put(col - 1, row, U"▸", 'f');
  }

  void Control(Window* w) {
    WNDPROC p = w->cls->proc;
    Cells c = CellsOf(w);
    if (Focused(w)) focus_ = c;
    if (p == &user32::ButtonProc) Button(w, c);
    else if (p == &user32::StaticProc) Static(w, c);
    else if (p == &user32::EditProc) Edit(w, c);
    else if (p == &user32::ListBoxProc) List(w, c);
    else if (p == &user32::ProgressProc) Progress(w, c);
  }

  void Button(Window* w, const Cells& c) {
    auto* data = w->Control<user32::ButtonData>();
    bool checked = data && (data->state & BST_CHECKED);
    int mnemonic = -1;
    std::u16string shown = ShownText(w->text, &mnemonic);
    std::u32string text = FromUtf16(shown);
    char a = AttributeOf(w);
    int row = c.Middle();
    // A check box or radio button: its mark, then its text.
    auto markAndText = [&](const char32_t* mark) {
      Put(c.left, row, mark + text, a);
      UnderlineMnemonic(shown, mnemonic, c.left + 4, row);
      MarkFocus(w, c.left, row);
    };
    switch (w->style & BS_TYPEMASK) {
      case BS_GROUPBOX:
        Box(c, U'┌', U'─', U'┐', U'│', U'└', U'┘');
        if (!text.empty()) Put(c.left + 2, c.top, U" " + text + U" ", a == 'f' ? ' ' : a);
        return;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE: markAndText(checked ? U"[x] " : U"[ ] "); return;
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON: markAndText(checked ? U"(•) " : U"( ) "); return;
      default: {
        std::u32string label;
        if (a == 'd') label = U"[ (" + text + U") ]";
        else if ((w->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) label = U"[=" + text + U"=]";
        else label = U"[ " + text + U" ]";
        int col = c.left + std::max(0, (c.Width() - WidthOf(label)) / 2);
        Put(col, row, label, a);
        UnderlineMnemonic(shown, mnemonic, col + (a == 'd' ? 3 : 2), row);
        MarkFocus(w, col, row);
        return;
      }
    }
  }

  // A system icon as its sign reads: error, warning, question; any other icon as information.
  static std::u32string IconGlyph(Window* w) {
    auto* data = w->Control<user32::StaticData>();
    auto info = data ? user32::IconOf(static_cast<HICON>(data->image)) : std::nullopt;
    std::string name = info ? info->name : "";
    if (name == "IDI_HAND") return U"(x)";
    if (name == "IDI_EXCLAMATION") return U"(!)";
    if (name == "IDI_QUESTION") return U"(?)";
    return U"(i)";
  }

  void Static(Window* w, const Cells& c) {
    switch (w->style & SS_TYPEMASK) {
      case SS_LEFT:
      case SS_CENTER:
      case SS_RIGHT:
      case SS_SIMPLE:
      case SS_LEFTNOWORDWRAP: {
        std::u16string shown = (w->style & SS_NOPREFIX) ? w->text : ShownText(w->text);
        std::vector<std::u32string> lines = Wrap(FromUtf16(shown), std::max(1, c.Width()));
        for (size_t i = 0; i < lines.size(); ++i) {
          int width = WidthOf(lines[i]);
          int col = c.left;
          if ((w->style & SS_TYPEMASK) == SS_CENTER) col += std::max(0, (c.Width() - width) / 2);
          if ((w->style & SS_TYPEMASK) == SS_RIGHT) col += std::max(0, c.Width() - width);
          Put(col, c.top + static_cast<int>(i), lines[i], AttributeOf(w) == 'd' ? 'd' : ' ');
        }
        return;
      }
      case SS_ETCHEDHORZ:
        Put(c.left, c.top, std::u32string(static_cast<size_t>(std::max(0, c.Width())), U'─'));
        return;
      case SS_ICON: Put(c.left, c.top, IconGlyph(w)); return;
      case SS_BITMAP: Fill(c, U'░'); return;
      default: return;
    }
  }

  // An edit control: its text on a line of _ to type on, or of blanks when it is read-only.
  void Edit(Window* w, const Cells& c) {
    std::u32string text = (w->style & ES_PASSWORD) ? std::u32string(w->text.size(), U'*') : FromUtf16(w->text);
    int inside = std::max(0, c.Width() - 2);
    char32_t pad = (w->style & ES_READONLY) ? U' ' : U'_';
    if (WidthOf(text) < inside) text += std::u32string(static_cast<size_t>(inside - WidthOf(text)), pad);
    Put(c.left, c.Middle(), U"[" + text, AttributeOf(w));
    Put(c.right - 1, c.Middle(), U"]");
    MarkFocus(w, c.left, c.Middle());
  }

  void List(Window* w, const Cells& c) {
    auto* data = w->Control<user32::ListBoxData>();
    Box(c, U'┌', U'─', U'┐', U'│', U'└', U'┘');
    MarkFocus(w, c.left, c.top + 1);
    if (!data) return;
    int rows = std::max(0, c.Height() - 2);
    for (int i = 0; i < rows; ++i) {
      int index = data->top + i;
      if (index >= static_cast<int>(data->items.size())) break;
      bool selected = index == data->selected;
      char a = AttributeOf(w) == 'd' ? 'd' : selected ? 's' : ' ';
      std::u32string entry = selected ? U"» " : U"  ";
      entry += FromUtf16(data->items[static_cast<size_t>(index)]);
      Put(c.left + 1, c.top + 1 + i, entry, a);
    }
  }

  void Progress(Window* w, const Cells& c) {
    auto* data = w->Control<user32::ProgressData>();
    if (!data) return;
    int inside = std::max(0, c.Width() - 2);
    int range = data->high - data->low;
    int filled = range > 0 ? std::clamp((data->pos - data->low) * inside / range, 0, inside) : 0;
    std::u32string bar = U"[";
    bar.append(static_cast<size_t>(filled), U'█').append(static_cast<size_t>(inside - filled), U'░').append(U"]");
    Put(c.left, c.Middle(), bar);
  }

  void Fill(const Cells& c, char32_t ch) {
    for (int row = c.top; row < c.bottom; ++row)
      Put(c.left, row, std::u32string(static_cast<size_t>(std::max(0, c.Width())), ch));
  }

  void Box(const Cells& c, char32_t tl, char32_t h, char32_t tr, char32_t v, char32_t bl, char32_t br) {
    size_t inner = static_cast<size_t>(std::max(0, c.Width() - 2));
    std::u32string edge(1, tl);
    Put(c.left, c.top, edge.append(inner, h).append(1, tr));
    if (c.Height() < 2) return;
    for (int row = c.top + 1; row < c.bottom - 1; ++row) {
      Put(c.left, row, std::u32string(1, v));
      Put(c.right - 1, row, std::u32string(1, v));
    }
    edge.assign(1, bl);
    Put(c.left, c.bottom - 1, edge.append(inner, h).append(1, br));
  }

  void Put(int col, int row, const std::u32string& text, char attribute = ' ') {
    if (row < clip_.top || row >= clip_.bottom) return;
    for (char32_t c : text) {
      int w = WidthOf(c);
      if (col >= clip_.left && col + w <= clip_.right) s_.Put(col, row, Utf8(std::u32string(1, c)), attribute);
      col += w;
    }
  }

  Screen& s_;
  POINT origin_;
  int shiftCol_ = 0;
  int shiftRow_ = 0;
  Cells clip_{};
  std::optional<Cells> focus_;
};

bool OwnedBy(const Window* w, const Window* root) {
  for (const Window* o = w; o; o = o->owner)
    if (o == root) return true;
  return false;
}

}  // namespace

Screen::Screen(int cols, int rows)
    : cols_(std::max(1, cols)), rows_(std::max(1, rows)), cells_(static_cast<size_t>(cols_) * static_cast<size_t>(rows_)) {}

Screen::Cell* Screen::At(int col, int row) {
  if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return nullptr;
  return &cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)];
}

int Screen::Put(int col, int row, const std::string& text, char attribute) {
  int start = col;
  for (char32_t c : FromUtf8(text)) {
    if (c < 0x20) c = U' ';
    int w = WidthOf(c);
    if (col + w > cols_) break;
    // A wide character half overwritten leaves a blank behind.
    if (Cell* cell = At(col, row); cell && cell->ch == 0)
      if (Cell* left = At(col - 1, row)) left->ch = U' ';
    if (Cell* after = At(col + w, row); after && after->ch == 0) after->ch = U' ';
    if (Cell* cell = At(col, row)) *cell = Cell{c, attribute};
    if (w == 2)
      if (Cell* right = At(col + 1, row)) *right = Cell{0, attribute};
    col += w;
  }
  return col - start;
}

void Screen::Underline(int col, int row) {
  if (Cell* cell = At(col, row)) cell->underline = true;
}

void Screen::CopyFrom(const Screen& from, int col, int row, int rows) {
  for (int r = 0; r < std::min(rows, rows_); ++r)
    for (int c = 0; c < cols_; ++c) {
      int fc = col + c, fr = row + r;
      bool inside = fc >= 0 && fr >= 0 && fc < from.cols_ && fr < from.rows_;
      Cell cell = inside ? from.cells_[static_cast<size_t>(fr) * static_cast<size_t>(from.cols_) + static_cast<size_t>(fc)] : Cell{};
      bool halfLeft = cell.ch == 0 && c == 0;
      bool halfRight = c == cols_ - 1 && inside && cell.ch != 0 && WidthOf(cell.ch) == 2;
      if (halfLeft || halfRight) cell.ch = U' ';
      *At(c, r) = cell;
    }
}

char Screen::Attribute(int col, int row) const {
  if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return ' ';
  return cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)].attribute;
}

std::vector<std::string> Screen::Lines() const {
  std::vector<std::string> lines;
  for (int row = 0; row < rows_; ++row) {
    std::string line;
    for (int col = 0; col < cols_; ++col) {
      char32_t c = cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)].ch;
      if (c) AppendUtf8(line, c);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    lines.push_back(line);
  }
  return lines;
}

std::string Screen::Text() const {
  std::string out;
  for (const std::string& line : Lines()) out += line + "\n";
  return out;
}

std::string Screen::Ansi() const {
  std::string out;
  for (int row = 0; row < rows_; ++row) {
    char current = ' ';
    bool underlined = false;
    for (int col = 0; col < cols_; ++col) {
      const Cell& cell = cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)];
      if (cell.attribute != current || cell.underline != underlined) {
        current = cell.attribute;
        underlined = cell.underline;
        out += current == 'd' ? "\x1b[0;2m" : (current == 'f' || current == 's') ? "\x1b[0;7m" : "\x1b[0m";
        if (underlined) out += "\x1b[4m";
      }
      if (cell.ch) AppendUtf8(out, cell.ch);
    }
    out += "\x1b[0m\x1b[K";
    if (row + 1 < rows_) out += "\r\n";
  }
  return out;
}

int TextWidth(const std::string& text) { return WidthOf(FromUtf8(text)); }

std::u16string ShownText(std::u16string_view text, int* mnemonic) {
  std::u16string out;
  if (mnemonic) *mnemonic = -1;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&') {
      if (i + 1 >= text.size()) continue;
      ++i;
      if (text[i] != u'&' && mnemonic && *mnemonic < 0) *mnemonic = static_cast<int>(out.size());
    }
    if (text[i] == u'\t') break;
    out += text[i];
  }
  return out;
}

Drawn DrawWindows(Screen& screen) {
  Drawn drawn;
  Window* active = user32::W(GetActiveWindow());
  if (!active) return drawn;
  Window* root = active;
  while (root->owner) root = root->owner;
  RECT r{};
  GetWindowRect(root->handle, &r);
  Painter painter(screen, POINT{r.left, r.top});
  auto& tops = user32::WS().topLevels;
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    Window* w = *it;
    if (!(w->style & WS_VISIBLE) || !OwnedBy(w, root)) continue;
    // A window centred on the screen (a message box) is drawn centred over the top-level owner:
    // the grid shows that window, not the whole screen.
    bool centred = w != root && (w->style & DS_CENTER);
    Cells c = painter.TopLevel(w, centred ? std::optional<Cells>(drawn.root) : std::nullopt);
    if (w == root) drawn.root = c;
    else if (w == active) drawn.box = c;
  }
  drawn.focus = painter.Focus();
  return drawn;
}

}  // namespace winemu::ui
