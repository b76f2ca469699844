// Reads a PE32 image's header facts, its resource directory and the libraries its import table
// names, as the Windows loader would.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace k7x::test {

struct PeResource {
  std::u16string type;  // empty for an integer type
  std::uint16_t typeId = 0;
  std::uint16_t id = 0;  // integer names only
  std::uint16_t language = 0;
  std::uint32_t size = 0;
  std::uint64_t offset = 0;  // of the data in the file
};

struct PeImage {
  std::uint16_t machine = 0;
  std::uint16_t magic = 0;      // 0x10B for PE32
  std::uint16_t subsystem = 0;  // 2 for a GUI program
  std::vector<PeResource> resources;
  std::vector<std::string> imports;  // library names, in the import table's order
  std::uint64_t imageEnd = 0;        // the end of the last section's data; an overlay follows it
  std::string error;  // empty when the image was read whole
};

PeImage ReadPeImage(std::span<const std::uint8_t> bytes);

}  // namespace k7x::test
