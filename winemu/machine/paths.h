// Windows paths on the machine: normalisation (a pure function over the path text) and mapping of
// drive C: into drive_c/, matching existing components without regard to case.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace winemu {

// Makes `path` a full path "C:\A\B" against the current directory `cwd`: '/' and '\' both separate,
// "." and ".." are folded, trailing dots and blanks of a component are dropped, as Windows does.
// Returns 0 or a Windows error: ERROR_INVALID_NAME for characters Windows forbids (allowWildcards
// lets '*' and '?' through in the last component), ERROR_PATH_NOT_FOUND for another drive,
// ERROR_FILENAME_EXCED_RANGE for a result of MAX_PATH characters or more. The path is text of
// `codePage`: a double-byte character's trail byte is never a separator or a forbidden character.
std::uint32_t NormalizePath(std::string_view path, std::string_view cwd, std::string& out,
                            bool allowWildcards = false, unsigned codePage = 1252);

struct ResolvedPath {
  std::string windows;          // the full Windows path
  std::filesystem::path host;   // where it lives on the host
  bool parentExists = false;    // all components but the last exist as directories
  bool exists = false;          // the last component exists too
  bool directory = false;       // and is a directory
};

// Resolves against the current machine and its current directory; returns 0 or a Windows error.
// Names are looked up in the machine's view of drive_c/, which the machine's own changes keep true.
std::uint32_t ResolvePath(std::string_view path, ResolvedPath& out, bool allowWildcards = false);
// To be called after making or removing `host` under drive_c/.
void NoteMade(const std::filesystem::path& host, bool directory);
void NoteRemoved(const std::filesystem::path& host);
// For changes to drive_c/ made on the host beside the machine's file functions: everything is
// listed and read afresh.
void ForgetListings();

// Host (UTF-8) file name to the machine's ANSI name and back.
std::string HostNameToAnsi(const std::string& hostName);
std::string AnsiNameToHost(std::string_view ansiName);

// The directory of the full Windows path `path` in `codePage` (what comes before its last separator).
std::string DirectoryOf(std::string_view path, unsigned codePage);

// The first backslash of `text` in `codePage` at or after `start` (a character's first byte) that
// is no double-byte character's trail byte; npos when there is none.
size_t FindBackslash(std::string_view text, size_t start, unsigned codePage);

// The last component of `path` in `codePage` (what follows its last separator).
std::string FileNameIn(std::string_view path, unsigned codePage);

// Whether the full Windows path `path` is `dir` or lies below it (no case).
bool IsInside(std::string_view path, std::string_view dir);

// Whether a file name matches a pattern with '*' and '?' (no case).
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace winemu
