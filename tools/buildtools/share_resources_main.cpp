// k7x-share-resources IN OUT: writes the image IN with its equal resources sharing one copy to OUT.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

#include "share_resources.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: k7x-share-resources IN OUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::vector<std::uint8_t> image(std::istreambuf_iterator<char>(in), {});
  if (!in.good() && !in.eof()) {
    std::cerr << argv[1] << ": cannot be read\n";
    return 1;
  }
  try {
    k7x::tools::SharedResources shared = k7x::tools::ShareEqualResources(image);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(shared.image.data()), static_cast<std::streamsize>(shared.image.size()));
    if (!out.flush()) {
      std::cerr << argv[2] << ": cannot be written\n";
      std::remove(argv[2]);
      return 1;
    }
    std::cout << argv[2] << ": " << shared.resources << " resources in " << shared.blobs << " copies, "
              << shared.image.size() << " bytes (" << image.size() << " before)\n";
  } catch (const k7x::tools::PeError& e) {
    std::cerr << argv[1] << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}
