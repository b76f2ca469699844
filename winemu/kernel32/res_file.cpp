#include "res_file.h"

namespace winemu {
namespace {

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> b) : b_(b) {}
  size_t pos = 0;
  bool Has(size_t n) const { return pos <= b_.size() && b_.size() - pos >= n; }
  std::uint16_t U16() {
    std::uint16_t v = static_cast<std::uint16_t>(b_[pos] | (b_[pos + 1] << 8));
    pos += 2;
    return v;
  }
  std::uint32_t U32() {
    std::uint32_t v = static_cast<std::uint32_t>(b_[pos]) | (static_cast<std::uint32_t>(b_[pos + 1]) << 8) |
                      (static_cast<std::uint32_t>(b_[pos + 2]) << 16) | (static_cast<std::uint32_t>(b_[pos + 3]) << 24);
    pos += 4;
    return v;
  }
  bool Id(ResId& out, size_t limit) {
    if (pos + 2 > limit) return false;
    std::uint16_t first = U16();
    if (first == 0xFFFF) {
      if (pos + 2 > limit) return false;
      out.id = U16();
      return true;
    }
    out.isString = true;
    for (std::uint16_t c = first; c != 0;) {
      out.name.push_back(static_cast<char16_t>(c));
      if (pos + 2 > limit) return false;
      c = U16();
    }
    return true;
  }

 private:
  std::span<const std::uint8_t> b_;
};

size_t Align4(size_t n) { return (n + 3) & ~static_cast<size_t>(3); }

}  // namespace

ResParseResult ParseResFile(std::span<const std::uint8_t> bytes) {
  ResParseResult result;
  Reader r(bytes);
  while (r.pos < bytes.size()) {
    size_t start = r.pos;
    if (!r.Has(8)) {
      result.error = "resource header cut short at offset " + std::to_string(start);
      return result;
    }
    std::uint32_t dataSize = r.U32();
    std::uint32_t headerSize = r.U32();
    if (headerSize < 32 || !r.Has(headerSize - 8)) {
      result.error = "bad resource header size at offset " + std::to_string(start);
      return result;
    }
    size_t headerEnd = start + headerSize;
    ResEntry e;
    if (!r.Id(e.type, headerEnd) || !r.Id(e.name, headerEnd)) {
      result.error = "resource type or name runs past its header at offset " + std::to_string(start);
      return result;
    }
    r.pos = Align4(r.pos);
    if (r.pos + 16 > headerEnd) {
      result.error = "resource header fields run past the header at offset " + std::to_string(start);
      return result;
    }
    r.U32();  // data version
    r.U16();  // memory flags
    e.language = r.U16();
    r.pos = headerEnd;
    if (!r.Has(dataSize)) {
      result.error = "resource data runs past the input at offset " + std::to_string(start);
      return result;
    }
    e.data = bytes.subspan(r.pos, dataSize);
    r.pos = Align4(r.pos + dataSize);
    bool placeholderEntry = !e.type.isString && e.type.id == 0 && !e.name.isString && e.name.id == 0;
    if (!placeholderEntry) result.entries.push_back(std::move(e));
    if (r.pos > bytes.size()) r.pos = bytes.size();
  }
  return result;
}

}  // namespace winemu
