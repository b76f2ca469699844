// kernel32: FindFirstFileA/FindNextFileA: patterns matched without case, the "." and ".."
// entries, the names as stored, and the last error when nothing (more) matches.
#include <algorithm>
#include <vector>

#include "check.h"
#include "parts.h"
#include "scratch.h"

namespace conformance {
namespace {

struct Found {
  std::vector<std::string> names;  // in the order found
  DWORD firstError = 0;            // when FindFirstFileA failed
  DWORD endError = 0;              // after the last FindNextFileA
  DWORD dotAttributes = 0;
  DWORD alphaSize = 0;
};

Found FindAll(const std::string& pattern) {
  Found found;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA(pattern.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) {
    found.firstError = GetLastError();
    return found;
  }
  do {
    found.names.push_back(data.cFileName);
    if (found.names.back() == ".") found.dotAttributes = data.dwFileAttributes;
    if (found.names.back() == "Alpha.txt") found.alphaSize = data.nFileSizeLow;
  } while (FindNextFileA(h, &data));
  found.endError = GetLastError();
  FindClose(h);
  return found;
}

std::string Joined(std::vector<std::string> names, bool sorted) {
  if (sorted) std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
  });
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : ",") + n;
  return out;
}

void CheckPattern(const char* pattern, const char* expected) {
  Found found = FindAll(InScratch(pattern));
  ok(Joined(found.names, true) == expected, "FindFirstFileA(%s) found {%s}, expected {%s}", pattern,
     Joined(found.names, true).c_str(), expected);
}

}  // namespace

void CheckFind() {
  CreateDirectoryA(InScratch("Find").c_str(), nullptr);
  CreateDirectoryA(InScratch("Find\\Delta").c_str(), nullptr);
  WriteBytes(InScratch("Find\\Alpha.txt"), "12345678");
  WriteBytes(InScratch("Find\\beta.TXT"), "");
  WriteBytes(InScratch("Find\\gamma.ini"), "");

  Found all = FindAll(InScratch("Find\\*"));
  ok(all.names.size() >= 2 && all.names[0] == "." && all.names[1] == "..",
     "a folder's listing starts with {%s}, expected '.' and '..' first", Joined(all.names, false).c_str());
  ok(Joined(all.names, true) == ".,..,Alpha.txt,beta.TXT,Delta,gamma.ini",
     "a folder's listing is {%s}, expected the names as created", Joined(all.names, true).c_str());
  ok(all.endError == ERROR_NO_MORE_FILES, "FindNextFileA at the end left %u, expected 18",
     static_cast<unsigned>(all.endError));
  ok(all.dotAttributes & FILE_ATTRIBUTE_DIRECTORY, "'.' has attributes 0x%x, expected a folder",
     static_cast<unsigned>(all.dotAttributes));
  ok(all.alphaSize == 8, "Alpha.txt's size is %u, expected 8", static_cast<unsigned>(all.alphaSize));

  CheckPattern("Find\\*.TXT", "Alpha.txt,beta.TXT");
  CheckPattern("find\\A*", "Alpha.txt");
  CheckPattern("Find\\ALPHA.TXT", "Alpha.txt");
  CheckPattern("Find\\?eta.txt", "beta.TXT");
  CheckPattern("Find\\*.*", ".,..,Alpha.txt,beta.TXT,Delta,gamma.ini");
  CheckPattern("Find\\delta", "Delta");
  CheckPattern("Find\\*a", "Delta");

  Found none = FindAll(InScratch("Find\\*.doc"));
  ok(none.names.empty() && none.firstError == ERROR_FILE_NOT_FOUND,
     "FindFirstFileA with no match: %u names, last error %u, expected none and 2",
     static_cast<unsigned>(none.names.size()), static_cast<unsigned>(none.firstError));
  Found noDir = FindAll(InScratch("NoDir\\*"));
  ok(noDir.names.empty() && noDir.firstError == ERROR_PATH_NOT_FOUND,
     "FindFirstFileA in a missing folder: %u names, last error %u, expected none and 3",
     static_cast<unsigned>(noDir.names.size()), static_cast<unsigned>(noDir.firstError));
  Found root = FindAll("C:\\*");
  ok(!root.names.empty() && std::find(root.names.begin(), root.names.end(), ".") == root.names.end() &&
         std::find(root.names.begin(), root.names.end(), "..") == root.names.end(),
     "the root's listing starts {%s}, expected no '.' or '..'", Joined(root.names, false).substr(0, 60).c_str());

  for (const char* name : {"Find\\Alpha.txt", "Find\\beta.TXT", "Find\\gamma.ini"}) DeleteFileA(InScratch(name).c_str());
  RemoveDirectoryA(InScratch("Find\\Delta").c_str());
  ok(RemoveDirectoryA(InScratch("Find").c_str()), "RemoveDirectoryA of the emptied Find failed with %u",
     static_cast<unsigned>(GetLastError()));
}

}  // namespace conformance
