// Payload bytes as the program carries them, and the one-write file the extraction makes of them.
#pragma once

#include <windows.h>

#include <string>

// The bytes of payload `id`; false when the program does not carry it or it cannot be loaded.
bool ReadPayload(UINT id, std::string& bytes);

// Creates or truncates `path` and writes `size` bytes in one write; false when it could not be
// made or not all was written.
bool WriteWholeFile(const char* path, const void* data, DWORD size);
