#include "dlgtemplate.h"

namespace winemu::user32 {
namespace {

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool failed() const { return !error_.empty(); }
  const std::string& error() const { return error_; }

  std::uint16_t Word(const char* what) {
    if (!Need(2, what)) return 0;
    std::uint16_t v = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  std::uint32_t Dword(const char* what) {
    std::uint32_t lo = Word(what);
    std::uint32_t hi = Word(what);
    return lo | (hi << 16);
  }
  std::uint8_t Byte(const char* what) {
    if (!Need(1, what)) return 0;
    return bytes_[pos_++];
  }
  short Short(const char* what) { return static_cast<short>(Word(what)); }
  std::u16string String(const char* what) {
    std::u16string s;
    for (;;) {
      std::uint16_t c = Word(what);
      if (failed() || c == 0) return s;
      s.push_back(static_cast<char16_t>(c));
    }
  }
  NameOrOrdinal Field(const char* what) {
    NameOrOrdinal f;
    std::uint16_t first = Word(what);
    if (failed() || first == 0) return f;
    f.present = true;
    if (first == 0xFFFF) {
      f.isOrdinal = true;
      f.ordinal = Word(what);
      return f;
    }
    f.name.push_back(static_cast<char16_t>(first));
    f.name += String(what);
    return f;
  }
  std::vector<std::uint8_t> Bytes(size_t n, const char* what) {
    if (!Need(n, what)) return {};
    std::vector<std::uint8_t> out(bytes_.begin() + static_cast<long>(pos_), bytes_.begin() + static_cast<long>(pos_ + n));
    pos_ += n;
    return out;
  }
  void AlignDword() { pos_ = (pos_ + 3) & ~static_cast<size_t>(3); }

 private:
  bool Need(size_t n, const char* what) {
    if (failed()) return false;
    if (pos_ > bytes_.size() || bytes_.size() - pos_ < n) {
      error_ = std::string("the dialog template ends inside ") + what + " (at byte " + std::to_string(pos_) + " of " +
               std::to_string(bytes_.size()) + ")";
      return false;
    }
    return true;
  }
  std::span<const std::uint8_t> bytes_;
  size_t pos_ = 0;
  std::string error_;
};

DialogItem ReadItem(Reader& r, bool extended) {
  DialogItem item;
  if (extended) {
    item.helpId = r.Dword("an item's help id");
    item.exStyle = r.Dword("an item's extended style");
    item.style = r.Dword("an item's style");
  } else {
    item.style = r.Dword("an item's style");
    item.exStyle = r.Dword("an item's extended style");
  }
  item.x = r.Short("an item's rectangle");
  item.y = r.Short("an item's rectangle");
  item.cx = r.Short("an item's rectangle");
  item.cy = r.Short("an item's rectangle");
  item.id = extended ? r.Dword("an item's id") : r.Word("an item's id");
  item.windowClass = r.Field("an item's class");
  item.title = r.Field("an item's title");
  std::uint16_t extra = r.Word("an item's creation data size");
  if (extra) item.creationData = r.Bytes(extra, "an item's creation data");
  return item;
}

}  // namespace

DialogTemplateResult ParseDialogTemplate(std::span<const std::uint8_t> bytes) {
  DialogTemplateResult result;
  DialogTemplate& t = result.dialog;
  Reader r(bytes);
  // A DLGTEMPLATEEX starts with version 1 and signature 0xFFFF.
  t.extended = bytes.size() >= 4 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
  WORD count;
  if (t.extended) {
    r.Dword("the header");
    t.helpId = r.Dword("the header");
    t.exStyle = r.Dword("the header");
    t.style = r.Dword("the header");
    count = r.Word("the header");
  } else {
    t.style = r.Dword("the header");
    t.exStyle = r.Dword("the header");
    count = r.Word("the header");
  }
  t.x = r.Short("the dialog's rectangle");
  t.y = r.Short("the dialog's rectangle");
  t.cx = r.Short("the dialog's rectangle");
  t.cy = r.Short("the dialog's rectangle");
  t.menu = r.Field("the menu name");
  t.windowClass = r.Field("the class name");
  t.title = r.String("the title");
  if (t.style & DS_SETFONT) {
    t.hasFont = true;
    t.pointSize = r.Word("the font");
    if (t.pointSize != 0x7FFF) {
      if (t.extended) {
        t.weight = r.Word("the font");
        t.italic = r.Byte("the font");
        t.charset = r.Byte("the font");
      }
      t.typeface = r.String("the font's typeface");
    }
  }
  for (WORD i = 0; i < count && !r.failed(); ++i) {
    r.AlignDword();
    t.items.push_back(ReadItem(r, t.extended));
  }
  result.error = r.error();
  return result;
}

}  // namespace winemu::user32
