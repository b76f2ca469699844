#include "security_descriptor.h"

#include <cstring>

namespace winemu {
namespace {

constexpr size_t kAclHeader = sizeof(ACL);
constexpr size_t kAceHeader = sizeof(ACE_HEADER) + sizeof(ACCESS_MASK);

template <class T>
T Read(const std::uint8_t* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

// `head`'s bytes followed by `body`, in a vector sized once (g++ 12 at -O3 misreads the bounds of
// one grown by inserts).
template <class T>
std::vector<std::uint8_t> Joined(const T& head, const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> out(sizeof head + body.size());
  std::memcpy(out.data(), &head, sizeof head);
  if (!body.empty()) std::memcpy(out.data() + sizeof head, body.data(), body.size());
  return out;
}

template <class T>
void Append(std::vector<std::uint8_t>& out, T value) {
  size_t at = out.size();
  out.resize(at + sizeof value);
  std::memcpy(out.data() + at, &value, sizeof value);
}

std::vector<std::uint8_t> AclBytes(const std::vector<Ace>& aces) {
  std::vector<std::uint8_t> body;
  for (const Ace& ace : aces) {
    std::vector<std::uint8_t> sid = SidBytes(ace.sid);
    ACE_HEADER header{ACCESS_ALLOWED_ACE_TYPE, ace.flags, static_cast<WORD>(kAceHeader + sid.size())};
    Append(body, header);
    Append(body, static_cast<ACCESS_MASK>(ace.mask));
    body.insert(body.end(), sid.begin(), sid.end());
  }
  ACL acl{ACL_REVISION, 0, static_cast<WORD>(kAclHeader + body.size()), static_cast<WORD>(aces.size()), 0};
  return Joined(acl, body);
}

}  // namespace

std::optional<std::string> SidText(const void* sid) {
  if (!sid) return std::nullopt;
  const auto* bytes = static_cast<const std::uint8_t*>(sid);
  if (bytes[0] != 1 || bytes[1] > 15) return std::nullopt;
  std::uint64_t authority = 0;
  for (int i = 2; i < 8; ++i) authority = (authority << 8) | bytes[i];
  // Appended piece by piece: g++ 12 at -O3 warns of an overlapping copy for a literal before a
  // temporary string.
  std::string text = "S-1-";
  text.append(std::to_string(authority));
  for (int i = 0; i < bytes[1]; ++i) text.append("-").append(std::to_string(Read<std::uint32_t>(bytes + 8 + 4 * i)));
  return text;
}

std::vector<std::uint8_t> SidBytes(const std::string& text) {
  if (text.rfind("S-1-", 0) != 0) return {};
  std::vector<std::uint64_t> numbers;
  size_t at = 4;
  while (at <= text.size()) {
    size_t end = text.find('-', at);
    if (end == std::string::npos) end = text.size();
    if (end == at) return {};
    std::uint64_t value = 0;
    for (size_t i = at; i < end; ++i) {
      if (text[i] < '0' || text[i] > '9' || value > 0xFFFFFFFFFFFull) return {};
      value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
    }
    numbers.push_back(value);
    at = end + 1;
  }
  if (numbers.empty() || numbers.size() > 16 || numbers[0] > 0xFFFFFFFFFFFFull) return {};
  std::vector<std::uint8_t> out = {1, static_cast<std::uint8_t>(numbers.size() - 1)};
  for (int shift = 40; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(numbers[0] >> shift));
  for (size_t i = 1; i < numbers.size(); ++i) {
    if (numbers[i] > 0xFFFFFFFFu) return {};
    Append(out, static_cast<std::uint32_t>(numbers[i]));
  }
  return out;
}

size_t SidLength(const void* sid) { return 8 + 4 * static_cast<const std::uint8_t*>(sid)[1]; }

std::optional<std::vector<Ace>> AclAces(const ACL* acl) {
  if (!acl || (acl->AclRevision != ACL_REVISION && acl->AclRevision != 4) || acl->AclSize < kAclHeader)
    return std::nullopt;
  const auto* base = reinterpret_cast<const std::uint8_t*>(acl);
  std::vector<Ace> aces;
  size_t at = kAclHeader;
  for (WORD i = 0; i < acl->AceCount; ++i) {
    if (at + kAceHeader + 8 > acl->AclSize) return std::nullopt;
    auto header = Read<ACE_HEADER>(base + at);
    if (header.AceType != ACCESS_ALLOWED_ACE_TYPE || header.AceSize < kAceHeader + 8 ||
        at + header.AceSize > acl->AclSize)
      return std::nullopt;
    const std::uint8_t* sid = base + at + kAceHeader;
    auto text = SidText(sid);
    if (!text || kAceHeader + SidLength(sid) > header.AceSize) return std::nullopt;
    aces.push_back({*text, Read<ACCESS_MASK>(base + at + sizeof(ACE_HEADER)), header.AceFlags});
    at += header.AceSize;
  }
  return aces;
}

bool ReadDescriptor(const void* sd, DescriptorParts& out) {
  if (!sd) return false;
  const auto* base = static_cast<const std::uint8_t*>(sd);
  if (base[0] != SECURITY_DESCRIPTOR_REVISION) return false;
  out.control = Read<SECURITY_DESCRIPTOR_CONTROL>(base + 2);
  out.daclPresent = out.control & SE_DACL_PRESENT;
  if (out.control & SE_SELF_RELATIVE) {
    auto relative = Read<SECURITY_DESCRIPTOR_RELATIVE>(base);
    out.owner = relative.Owner ? base + relative.Owner : nullptr;
    out.dacl = out.daclPresent && relative.Dacl ? reinterpret_cast<const ACL*>(base + relative.Dacl) : nullptr;
  } else {
    auto absolute = Read<SECURITY_DESCRIPTOR>(base);
    out.owner = absolute.Owner;
    out.dacl = out.daclPresent ? absolute.Dacl : nullptr;
  }
  return true;
}

std::optional<FileSecurity> DescriptorSecurity(const void* sd) {
  DescriptorParts parts;
  if (!ReadDescriptor(sd, parts)) return std::nullopt;
  FileSecurity sec;
  if (parts.owner) {
    auto owner = SidText(parts.owner);
    if (!owner) return std::nullopt;
    sec.owner = *owner;
  }
  if (parts.daclPresent) {
    sec.daclProtected = parts.control & SE_DACL_PROTECTED;
    if (parts.dacl) {
      auto aces = AclAces(parts.dacl);
      if (!aces) return std::nullopt;
      sec.dacl = *aces;
    } else {
      sec.dacl = {{sids::kEveryone, FILE_ALL_ACCESS, 0}};  // a NULL DACL grants everything
    }
  }
  return sec;
}

std::vector<std::uint8_t> SelfRelativeDescriptor(const FileSecurity& security, SECURITY_INFORMATION what) {
  SECURITY_DESCRIPTOR_RELATIVE header{SECURITY_DESCRIPTOR_REVISION, 0, SE_SELF_RELATIVE, 0, 0, 0, 0};
  std::vector<std::uint8_t> body;
  if (what & OWNER_SECURITY_INFORMATION) {
    header.Owner = sizeof header;
    body = SidBytes(security.owner);
  }
  if (what & DACL_SECURITY_INFORMATION) {
    header.Control |= SE_DACL_PRESENT | (security.daclProtected ? SE_DACL_PROTECTED : 0);
    header.Dacl = static_cast<DWORD>(sizeof header + body.size());
    std::vector<std::uint8_t> acl = AclBytes(security.dacl);
    body.insert(body.end(), acl.begin(), acl.end());
  }
  return Joined(header, body);
}

}  // namespace winemu
