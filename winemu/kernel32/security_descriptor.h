// Binary SIDs, ACLs and security descriptors, as programs build and read them, to and from the
// machine's FileSecurity.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "file_security.h"

namespace winemu {

// "S-1-5-32-544" for a valid binary SID; none otherwise.
std::optional<std::string> SidText(const void* sid);
// The binary SID of a text; empty when the text is not one.
std::vector<std::uint8_t> SidBytes(const std::string& text);
// 8 bytes and 4 a sub-authority.
size_t SidLength(const void* sid);

// The allowed ACEs of an ACL; none when it is not a well-formed one (or holds another ACE type).
std::optional<std::vector<Ace>> AclAces(const ACL* acl);

// The owner, DACL and control of an absolute or self-relative descriptor.
struct DescriptorParts {
  const void* owner = nullptr;
  const ACL* dacl = nullptr;
  bool daclPresent = false;
  SECURITY_DESCRIPTOR_CONTROL control = 0;
};
// False when `sd` is not a descriptor of revision 1.
bool ReadDescriptor(const void* sd, DescriptorParts& out);

// What a descriptor handed to a creation sets: its owner (empty when it names none) and, when a
// DACL is present, that DACL; none when it cannot be read.
std::optional<FileSecurity> DescriptorSecurity(const void* sd);

// A self-relative descriptor holding what `what` asks of `security` (OWNER_ and DACL_SECURITY_INFORMATION).
std::vector<std::uint8_t> SelfRelativeDescriptor(const FileSecurity& security, SECURITY_INFORMATION what);

}  // namespace winemu
