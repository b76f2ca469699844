#include "quoted.h"

namespace winemu {

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c; break;
    }
  }
  return out + "\"";
}

std::string Unescaped(std::string_view inside) {
  std::string out;
  for (size_t i = 0; i < inside.size(); ++i) {
    if (inside[i] == '\\' && i + 1 < inside.size()) {
      char e = inside[i + 1];
      char decoded = e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : (e == '"' || e == '\\') ? e : 0;
      if (decoded) {
        out += decoded;
        ++i;
        continue;
      }
    }
    out += inside[i];
  }
  return out;
}

}  // namespace winemu
