// Owners and DACLs of files and folders, kept in the machine directory (security.txt), and the
// access check the file functions make with them.
//
// An object with an entry has that owner and DACL; one without has its nearest ancestor's entry,
// as if inherited; where no ancestor has one, the object is under the machine's default rules
// (no access check beyond the Windows directory's). A new object below an entry gets its own
// entry: the creator's default owner and the ACEs its parent lets children inherit, or the
// security descriptor the creator hands over.
//
// Who acts is the program (its token: the machine's administrator, or its standard user on a
// --user machine) or, for a moment, the machine's standard user in a process of their own
// (StandardUserProcess, for the user_writer fault).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace winemu {

class Machine;

namespace sids {
constexpr const char* kEveryone = "S-1-1-0";
constexpr const char* kCreatorOwner = "S-1-3-0";
constexpr const char* kAuthenticatedUsers = "S-1-5-11";
constexpr const char* kSystem = "S-1-5-18";
constexpr const char* kAdministrators = "S-1-5-32-544";
constexpr const char* kUsers = "S-1-5-32-545";
constexpr const char* kAdministrator = "S-1-5-21-1-2-3-500";  // the machine's administrator account
constexpr const char* kStandardUser = "S-1-5-21-1-2-3-1000";  // the machine's standard user
}  // namespace sids

struct Ace {
  std::string sid;  // "S-1-5-32-544"
  std::uint32_t mask = 0;
  std::uint8_t flags = 0;  // OBJECT_INHERIT_ACE ... INHERITED_ACE
  bool operator==(const Ace&) const = default;
};

struct FileSecurity {
  std::string owner;
  bool daclProtected = false;
  std::vector<Ace> dacl;
  bool operator==(const FileSecurity&) const = default;
};

// "Change" as Windows 2000 grants it to Everyone on C:\ and C:\TEMP: read, write, execute, delete.
constexpr std::uint32_t kChangeAccess = 0x1301BF;

// security.txt: one line per entry, "PATH|OWNER|P or -|SID:MASK:FLAGS,..." (mask and flags in hex,
// the path in the machine's code page); a line that cannot be read is skipped.
std::string FormatSecurityFile(const std::map<std::string, FileSecurity>& entries);
std::map<std::string, FileSecurity> ParseSecurityFile(const std::string& text);

class SecurityStore {
 public:
  explicit SecurityStore(Machine& machine);
  // The object's own entry, or its nearest ancestor's; none where the default rules hold.
  std::optional<FileSecurity> Effective(const std::string& windowsPath) const;
  bool HasOwn(const std::string& windowsPath) const;
  void Set(const std::string& windowsPath, const FileSecurity& security);
  // A new object made by the caller; `given` is the security descriptor handed to the creation.
  void Made(const std::string& windowsPath, bool directory, const FileSecurity* given);
  // The object (and, for a folder, everything below it) is gone.
  void Removed(const std::string& windowsPath);

 private:
  void Save() const;
  Machine& machine_;
  std::map<std::string, FileSecurity> entries_;  // by full path; compared without case on lookup
};

// The SIDs in the caller's token (user, groups) and the owner it gives what it makes.
std::vector<std::string> CallerSids();
std::string CallerDefaultOwner();
bool CallerIsAdministrator();
bool CallerHas(const std::string& sid);

// While alive, file functions act for the machine's standard user.
class StandardUserProcess {
 public:
  StandardUserProcess();
  ~StandardUserProcess();
  StandardUserProcess(const StandardUserProcess&) = delete;
  StandardUserProcess& operator=(const StandardUserProcess&) = delete;

 private:
  bool previous_;
};

// What `security` grants the caller (generic rights mapped to file rights; the owner may always
// read and change the DACL).
std::uint32_t GrantedAccess(const FileSecurity& security);
// 0, or ERROR_ACCESS_DENIED when the caller lacks `desired` on the object.
std::uint32_t AccessError(const std::string& windowsPath, std::uint32_t desired);
// The same for making a file or folder in `parentPath`, and for deleting `windowsPath` (its own
// DELETE right, or the parent's right to delete children).
std::uint32_t CreateAccessError(const std::string& windowsPath, bool directory);
std::uint32_t DeleteAccessError(const std::string& windowsPath);

std::string ParentPath(const std::string& windowsPath);  // "C:\A" for "C:\A\B", "C:\" for "C:\A"

}  // namespace winemu
