// Composing a path or text into a fixed buffer of the Windows interfaces: the result must fit
// whole, terminator included; a text that does not fit is refused, never cut.
#pragma once

#include <cstdio>

// Formats into `out`; false (and `out` empty) when the result does not fit or cannot be formed.
// Callers pass at least one argument, so `format` is always checked as a format with arguments.
template <size_t N, class... Args>
bool ComposeText(char (&out)[N], const char* format, Args... args) {
  static_assert(sizeof...(Args) > 0, "compose with arguments; copy a plain text instead");
  int length = std::snprintf(out, N, format, args...);
  if (length < 0 || static_cast<size_t>(length) >= N) {
    out[0] = '\0';
    return false;
  }
  return true;
}
