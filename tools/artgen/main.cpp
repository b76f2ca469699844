// k7x-artgen OUTDIR: writes the setup program's bitmaps and icon into OUTDIR.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "artwork.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: k7x-artgen OUTDIR\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  if (!std::filesystem::is_directory(dir)) {
    std::fprintf(stderr, "k7x-artgen: %s is not a directory\n", argv[1]);
    return 1;
  }
  for (const k7x::artgen::ArtFile& file : k7x::artgen::RenderArtwork()) {
    const std::filesystem::path path = dir / file.name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.bytes.data()), static_cast<std::streamsize>(file.bytes.size()));
    out.close();
    if (!out) {
      std::fprintf(stderr, "k7x-artgen: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
