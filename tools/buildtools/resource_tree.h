// The resource tree of a PE image's resource section (type, name, language), read from the
// section's bytes: its leaves and where its directory structures end.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace k7x::tools {

struct ResourceLeaf {
  std::u16string type;  // empty for an integer type
  std::uint16_t typeId = 0;
  std::uint16_t id = 0;  // integer names; 0 for a string name
  std::size_t dataEntry = 0;  // offset of its 16-byte data entry in the section
};

struct ResourceTree {
  std::vector<ResourceLeaf> leaves;  // in tree order
  std::size_t structuresEnd = 0;     // the end of the last directory, name or data entry
};

// Throws PeError for a tree that leaves the section or is deeper than type, name and language.
ResourceTree ReadResourceTree(std::span<const std::uint8_t> section);

// The bytes of the first resource of `type` (a string type) and integer `id` in `image`; throws
// PeError when the image has none.
std::span<const std::uint8_t> ResourceBytes(std::span<const std::uint8_t> image, const std::u16string& type,
                                            std::uint16_t id);

}  // namespace k7x::tools
