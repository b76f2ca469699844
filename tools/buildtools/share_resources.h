// Makes the resources of a linked PE image that hold equal bytes share one copy of them: every
// resource keeps its own directory entry and data entry, and the data entries of equal contents
// point at one blob. The resource section shrinks; the sections after it (only the base
// relocations may follow it) move down, and the image size and checksum are set anew.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "pe_layout.h"

namespace k7x::tools {

struct SharedResources {
  std::vector<std::uint8_t> image;
  std::size_t resources = 0;  // data entries
  std::size_t blobs = 0;      // distinct contents kept
};

// Throws PeError when the image is not one this can rewrite (signed, with a symbol table or
// trailing data, sections other than base relocations after the resources, a broken tree).
SharedResources ShareEqualResources(std::span<const std::uint8_t> image);

// The PE checksum of `image` whose checksum field is at `checksumAt`.
std::uint32_t PeChecksum(std::span<const std::uint8_t> image, std::size_t checksumAt);

}  // namespace k7x::tools
