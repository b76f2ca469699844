// The suite's scratch folder on drive C: and file helpers over the Win32 API.
#pragma once

#include <windows.h>

#include <string>

namespace conformance {

inline constexpr const char* kScratch = "C:\\conformance";

// kScratch + "\\" + name.
std::string InScratch(const std::string& name);

// Creates or replaces `path` with `bytes`; false when it cannot.
bool WriteBytes(const std::string& path, const std::string& bytes);

// The whole file, or "<missing>" when it cannot be opened.
std::string ReadBytes(const std::string& path);

// `bytes` with CR and LF written as \r and \n, for messages.
std::string Shown(const std::string& bytes);

}  // namespace conformance
