// The program's version as its version resource states it (what Explorer shows).
#pragma once

#include <cstddef>

// The product version's major and minor numbers from the bytes of a VS_VERSIONINFO block; false
// when the bytes are not one (too short, another key, no fixed part with its signature).
bool ParseProductVersion(const unsigned char* data, std::size_t size, unsigned& major, unsigned& minor);

// "MAJOR.MINOR" of the program's own version resource (id 1); false without one.
bool ProgramProductVersion(char (&text)[32]);
