// The program's embedded resources: the .res blob linked into the program, or one a test installs.
#pragma once

#include <cstdint>
#include <vector>

#include "res_file.h"

namespace winemu {

const std::vector<ResEntry>& ProgramResources();
// Replaces the program's resources for the rest of the process (tests); the bytes are copied.
void UseResources(std::vector<std::uint8_t> resBytes);
// The first entry of a type and name, any language.
const ResEntry* FindResourceEntry(const ResId& type, const ResId& name);
// An "A" resource name: MAKEINTRESOURCE, "#123" or a name.
ResId ResIdFromA(const char* text);

}  // namespace winemu
