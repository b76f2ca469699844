// k7x-check-vendor-files ROLE=FILE...: checks each FILE for what the installer relies on in a file
// of ROLE (gpd, ini, inf, language, settings, program); prints every problem, one per line, and
// fails when there is any.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "vendor_files.h"

int main(int argc, char** argv) {
  int problems = 0;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    std::size_t eq = arg.find('=');
    auto role = k7x::tools::RoleNamed(arg.substr(0, eq == std::string::npos ? 0 : eq));
    if (!role) {
      std::cerr << "usage: k7x-check-vendor-files ROLE=FILE... (ROLE: gpd ini inf language settings program)\n";
      return 2;
    }
    std::string path = arg.substr(eq + 1);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      std::cerr << path << ": cannot be read\n";
      ++problems;
      continue;
    }
    std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    for (const std::string& line : k7x::tools::CheckVendorFile(*role, path, bytes)) {
      std::cerr << line << "\n";
      ++problems;
    }
  }
  return problems ? 1 : 0;
}
