// Access to the payload data for its tests: the manifest, the authored
// files, the build's payload directory, line splitting and decoding.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace payload_test {

struct ManifestEntry {
    unsigned id = 0;
    std::uint64_t size = 0;
    std::string file;
    std::string kind;  // "authored" or "placeholder"
    std::string description;
};

// The whole file; throws std::runtime_error when it cannot be read.
std::string ReadBytes(const std::string& path);

// A file of src/payload/files/ and of the build's payload directory.
std::string AuthoredPath(const std::string& name);
std::string GeneratedPath(const std::string& name);
std::string Authored(const std::string& name);

// True when the build takes its payload from K7X_PAYLOAD_DIR.
bool VendorPayload();

// The manifest's entries in file order; throws on a malformed line.
std::vector<ManifestEntry> ReadManifest();

// Splits at CR LF; a final CR LF ends the last line rather than opening
// an empty one.
std::vector<std::string> SplitCrlf(const std::string& bytes);

// Counts CR and LF bytes that are not part of a CR LF pair.
std::size_t BareLineEnds(const std::string& bytes);

// The bytes converted from `charset` to UTF-8 with iconv, or nothing when
// they are not valid text of that charset.
std::optional<std::string> ToUtf8(const std::string& bytes, const char* charset);

}  // namespace payload_test
