#include "pe_resources.h"

namespace k7x::test {
namespace {

struct Section {
  std::uint32_t rva, size, fileOffset;
};

class Image {
 public:
  explicit Image(std::span<const std::uint8_t> b) : b_(b) {}
  bool Has(std::uint64_t offset, std::uint64_t n) const { return offset <= b_.size() && b_.size() - offset >= n; }
  std::uint8_t U8(std::uint64_t o) const { return b_[o]; }
  std::uint16_t U16(std::uint64_t o) const { return static_cast<std::uint16_t>(b_[o] | (b_[o + 1] << 8)); }
  std::uint32_t U32(std::uint64_t o) const { return U16(o) | (static_cast<std::uint32_t>(U16(o + 2)) << 16); }
  std::vector<Section> sections;
  // File offset of an RVA, or -1.
  std::int64_t Offset(std::uint32_t rva) const {
    for (const Section& s : sections)
      if (rva >= s.rva && rva - s.rva < s.size) return static_cast<std::int64_t>(s.fileOffset) + (rva - s.rva);
    return -1;
  }

 private:
  std::span<const std::uint8_t> b_;
};

bool Fail(PeImage& out, const std::string& why) {
  out.error = why;
  return false;
}

// Walks one resource directory level; `base` is the resource section's file offset.
bool Walk(const Image& img, std::int64_t base, std::uint32_t dirOffset, int level, PeResource current, PeImage& out) {
  std::int64_t dir = base + dirOffset;
  if (level > 2 || !img.Has(static_cast<std::uint64_t>(dir), 16)) return Fail(out, "resource directory out of the image");
  std::uint32_t count = img.U16(dir + 12) + img.U16(dir + 14);
  if (!img.Has(static_cast<std::uint64_t>(dir + 16), count * 8ull)) return Fail(out, "resource entries out of the image");
  for (std::uint32_t i = 0; i < count; ++i) {
    std::int64_t e = dir + 16 + i * 8;
    std::uint32_t name = img.U32(e), target = img.U32(e + 4);
    PeResource r = current;
    if (name & 0x80000000u) {
      std::int64_t s = base + (name & 0x7FFFFFFF);
      if (!img.Has(static_cast<std::uint64_t>(s), 2)) return Fail(out, "resource name out of the image");
      std::uint16_t len = img.U16(s);
      if (!img.Has(static_cast<std::uint64_t>(s + 2), len * 2ull)) return Fail(out, "resource name out of the image");
      std::u16string text;
      for (std::uint16_t k = 0; k < len; ++k) text.push_back(static_cast<char16_t>(img.U16(s + 2 + k * 2)));
      if (level == 0) r.type = text;
    } else if (level == 0) {
      r.typeId = static_cast<std::uint16_t>(name);
    } else if (level == 1) {
      r.id = static_cast<std::uint16_t>(name);
    } else {
      r.language = static_cast<std::uint16_t>(name);
    }
    if (target & 0x80000000u) {
      if (!Walk(img, base, target & 0x7FFFFFFF, level + 1, r, out)) return false;
    } else {
      std::int64_t d = base + target;
      if (level != 2 || !img.Has(static_cast<std::uint64_t>(d), 16)) return Fail(out, "resource data entry out of place");
      r.size = img.U32(d + 4);
      std::int64_t data = img.Offset(img.U32(d));
      if (data < 0 || !img.Has(static_cast<std::uint64_t>(data), r.size)) return Fail(out, "resource data out of the image");
      r.offset = static_cast<std::uint64_t>(data);
      out.resources.push_back(r);
    }
  }
  return true;
}

// The zero-terminated text at `rva`, or false.
bool TextAt(const Image& img, std::uint32_t rva, std::string& text) {
  std::int64_t at = img.Offset(rva);
  if (at < 0) return false;
  text.clear();
  for (auto o = static_cast<std::uint64_t>(at); img.Has(o, 1); ++o) {
    char c = static_cast<char>(img.U8(o));
    if (c == '\0') return true;
    text.push_back(c);
  }
  return false;
}

// The import directory: 20-byte descriptors up to an all-zero one; the fourth field names the library.
bool ReadImports(const Image& img, std::uint32_t importRva, PeImage& out) {
  std::int64_t at = img.Offset(importRva);
  if (at < 0) return Fail(out, "import directory outside every section");
  for (auto d = static_cast<std::uint64_t>(at);; d += 20) {
    if (!img.Has(d, 20)) return Fail(out, "import directory out of the image");
    std::uint32_t nameRva = img.U32(d + 12);
    if (nameRva == 0 && img.U32(d) == 0 && img.U32(d + 16) == 0) return true;
    std::string name;
    if (!TextAt(img, nameRva, name)) return Fail(out, "import library name out of the image");
    out.imports.push_back(name);
  }
}

}  // namespace

PeImage ReadPeImage(std::span<const std::uint8_t> bytes) {
  PeImage out;
  Image img(bytes);
  if (!img.Has(0, 64) || img.U16(0) != 0x5A4D) return Fail(out, "no MZ header"), out;
  std::uint32_t pe = img.U32(60);
  if (!img.Has(pe, 24) || img.U32(pe) != 0x00004550) return Fail(out, "no PE signature"), out;
  out.machine = img.U16(pe + 4);
  std::uint16_t sectionCount = img.U16(pe + 6);
  std::uint16_t optionalSize = img.U16(pe + 20);
  std::uint64_t opt = pe + 24ull;
  if (!img.Has(opt, optionalSize) || optionalSize < 96 + 8 * 3) return Fail(out, "optional header cut short"), out;
  out.magic = img.U16(opt);
  if (out.magic != 0x10B) return Fail(out, "not a PE32 image"), out;
  out.subsystem = img.U16(opt + 68);
  std::uint32_t importRva = img.U32(opt + 96 + 8 * 1);
  std::uint32_t resourceRva = img.U32(opt + 96 + 8 * 2);
  std::uint64_t table = opt + optionalSize;
  if (!img.Has(table, sectionCount * 40ull)) return Fail(out, "section table cut short"), out;
  for (std::uint16_t i = 0; i < sectionCount; ++i) {
    std::uint64_t s = table + i * 40ull;
    std::uint32_t virtualSize = img.U32(s + 8), rva = img.U32(s + 12), rawSize = img.U32(s + 16), raw = img.U32(s + 20);
    img.sections.push_back({rva, std::max(virtualSize, rawSize), raw});
    out.imageEnd = std::max<std::uint64_t>(out.imageEnd, std::uint64_t{raw} + rawSize);
  }
  if (importRva != 0 && !ReadImports(img, importRva, out)) return out;
  if (resourceRva == 0) return out;
  std::int64_t base = img.Offset(resourceRva);
  if (base < 0) return Fail(out, "resource directory outside every section"), out;
  Walk(img, base, 0, 0, PeResource{}, out);
  return out;
}

}  // namespace k7x::test
