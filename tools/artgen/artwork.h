// The artwork files of the resource script, rendered in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k7x::artgen {

struct ArtFile {
  std::string name;  // file name under src/pages/res
  std::vector<std::uint8_t> bytes;
};

// side.bmp (bitmap 144), logo.bmp (bitmap 145) and setup.ico (icon 128).
std::vector<ArtFile> RenderArtwork();

}  // namespace k7x::artgen
