// k7x-resource-bytes IMAGE TYPE ID OUT: writes the bytes of resource ID of the string type TYPE
// (for instance OWNER_DATA) of the PE image IMAGE to OUT.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>

#include "pe_layout.h"
#include "resource_tree.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: k7x-resource-bytes IMAGE TYPE ID OUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::vector<std::uint8_t> image(std::istreambuf_iterator<char>(in), {});
  std::u16string type(argv[2], argv[2] + std::char_traits<char>::length(argv[2]));
  try {
    auto bytes = k7x::tools::ResourceBytes(image, type, static_cast<std::uint16_t>(std::strtoul(argv[3], nullptr, 10)));
    std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
      std::cerr << argv[4] << ": cannot be written\n";
      return 1;
    }
  } catch (const k7x::tools::PeError& e) {
    std::cerr << argv[1] << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}
