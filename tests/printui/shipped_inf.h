// The INF the setup ships (payload 256), as the tests of the utility read it.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

inline std::string ShippedInf() {
  std::ifstream in(std::string(K7X_SOURCE_DIR) + "/src/payload/files/K7X.INF", std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
