// Texts in one line of a record (the trace, a window's dump): in double quotes, with the quote,
// the backslash, line feed, carriage return and tab escaped as in C, and read back.
#pragma once

#include <string>
#include <string_view>

namespace winemu {

std::string Quoted(std::string_view text);
// The text of a quoted one's inside (without its quotes): \n, \r, \t, \", \\ read back; any other
// backslash stays as it is.
std::string Unescaped(std::string_view inside);

}  // namespace winemu
