// Bytes from outside shown safely in one line of a message.
#pragma once

#include <string>
#include <string_view>

namespace winemu {

// `bytes` with printable ASCII and well-formed UTF-8 characters kept and every other byte written
// \xHH, cut after `limit` bytes with "...". Backslashes stay as they are (Windows paths).
std::string Printable(std::string_view bytes, size_t limit = 200);

}  // namespace winemu
