#include "resource_tree.h"

#include <algorithm>

#include "pe_layout.h"

namespace k7x::tools {
namespace {

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> section) : s_(section) {}
  ResourceTree tree;

  void Directory(std::size_t at, int level, ResourceLeaf leaf) {
    if (level > 2) throw PeError("the resource tree is deeper than type, name and language");
    Mark(at, 16, "directory");
    std::size_t count = Get16(s_, at + 12) + std::size_t{Get16(s_, at + 14)};
    Mark(at + 16, count * 8, "directory");
    for (std::size_t i = 0; i < count; ++i) {
      std::size_t entry = at + 16 + i * 8;
      std::uint32_t name = Get32(s_, entry), target = Get32(s_, entry + 4);
      ResourceLeaf next = leaf;
      if (name & 0x80000000u) {
        std::size_t text = name & 0x7FFFFFFFu;
        Mark(text, 2, "name");
        std::size_t length = Get16(s_, text);
        Mark(text + 2, length * 2, "name");
        if (level == 0)
          for (std::size_t k = 0; k < length; ++k) next.type.push_back(static_cast<char16_t>(Get16(s_, text + 2 + k * 2)));
      } else if (level == 0) {
        next.typeId = static_cast<std::uint16_t>(name);
      } else if (level == 1) {
        next.id = static_cast<std::uint16_t>(name);
      }
      if (target & 0x80000000u) {
        Directory(target & 0x7FFFFFFFu, level + 1, next);
      } else {
        if (level != 2) throw PeError("a resource data entry above the language level");
        Mark(target, 16, "data entry");
        next.dataEntry = target;
        tree.leaves.push_back(next);
      }
    }
  }

 private:
  void Mark(std::size_t at, std::size_t n, const char* what) {
    if (at > s_.size() || s_.size() - at < n)
      throw PeError(std::string("a resource ") + what + " lies outside the resource section");
    tree.structuresEnd = std::max(tree.structuresEnd, at + n);
  }
  std::span<const std::uint8_t> s_;
};

}  // namespace

ResourceTree ReadResourceTree(std::span<const std::uint8_t> section) {
  Reader reader(section);
  reader.Directory(0, 0, ResourceLeaf{});
  return reader.tree;
}

std::span<const std::uint8_t> ResourceBytes(std::span<const std::uint8_t> image, const std::u16string& type,
                                            std::uint16_t id) {
  PeLayout pe = ReadPeLayout(image);
  if (pe.directories.size() <= kResourceDirectory || pe.directories[kResourceDirectory].size == 0)
    throw PeError("the image has no resources");
  std::uint32_t rva = pe.directories[kResourceDirectory].rva;
  for (const PeSection& s : pe.sections) {
    if (s.rva != rva) continue;
    std::span<const std::uint8_t> section = image.subspan(s.rawOffset, s.rawSize);
    for (const ResourceLeaf& leaf : ReadResourceTree(section).leaves) {
      if (leaf.type != type || leaf.id != id) continue;
      std::uint32_t dataRva = Get32(section, leaf.dataEntry), size = Get32(section, leaf.dataEntry + 4);
      if (dataRva < s.rva || dataRva - s.rva > section.size() || section.size() - (dataRva - s.rva) < size)
        throw PeError("resource data lies outside the resource section");
      return section.subspan(dataRva - s.rva, size);
    }
    throw PeError("no resource of that type and id");
  }
  throw PeError("the resource directory does not start a section");
}

}  // namespace k7x::tools
