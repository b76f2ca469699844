#include "share_resources.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "resource_tree.h"

namespace k7x::tools {
namespace {

std::uint32_t AlignUp(std::uint64_t value, std::uint32_t alignment) {
  std::uint64_t aligned = (value + alignment - 1) / alignment * alignment;
  if (aligned > 0xFFFFFFFFull) throw PeError("the image grows beyond 4 GiB");
  return static_cast<std::uint32_t>(aligned);
}

void CheckRewritable(std::span<const std::uint8_t> image, const PeLayout& pe) {
  if (pe.directories.size() > kSecurityDirectory && pe.directories[kSecurityDirectory].size != 0)
    throw PeError("the image is signed; share its resources before signing it");
  if (Get32(image, pe.coffOffset + 8) != 0) throw PeError("the image has a symbol table; link it stripped");
  if (pe.rawEnd != image.size()) throw PeError("data follows the last section");
  if (pe.directories.size() <= kResourceDirectory || pe.directories[kResourceDirectory].size == 0)
    throw PeError("the image has no resources");
}

}  // namespace

std::uint32_t PeChecksum(std::span<const std::uint8_t> image, std::size_t checksumAt) {
  std::uint64_t sum = 0;
  for (std::size_t at = 0; at < image.size(); at += 2) {
    if (at == checksumAt || at == checksumAt + 2) continue;
    std::uint32_t word = image[at] | (at + 1 < image.size() ? image[at + 1] << 8 : 0);
    sum += word;
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint32_t>(sum + image.size());
}

SharedResources ShareEqualResources(std::span<const std::uint8_t> image) {
  PeLayout pe = ReadPeLayout(image);
  CheckRewritable(image, pe);
  const PeDirectory& resources = pe.directories[kResourceDirectory];
  auto sections = pe.sections;
  std::sort(sections.begin(), sections.end(), [](const auto& a, const auto& b) { return a.rva < b.rva; });
  auto rsrc = std::find_if(sections.begin(), sections.end(), [&](const auto& s) { return s.rva == resources.rva; });
  if (rsrc == sections.end()) throw PeError("the resource directory does not start a section");
  for (auto s = rsrc + 1; s != sections.end(); ++s) {
    bool relocations = pe.directories.size() > kBaseRelocationDirectory &&
                       pe.directories[kBaseRelocationDirectory].rva == s->rva;
    if (!relocations) throw PeError("section " + s->name + " follows the resource section and cannot move");
  }
  if (rsrc->rawSize == 0) throw PeError("the resource section has no data in the file");
  if (rsrc->rawOffset < pe.headersEnd) throw PeError("the resource section overlaps the headers");
  std::uint32_t oldSize = rsrc->virtualSize ? std::min(rsrc->rawSize, rsrc->virtualSize) : rsrc->rawSize;
  std::span<const std::uint8_t> old = image.subspan(rsrc->rawOffset, oldSize);
  ResourceTree tree = ReadResourceTree(old);

  SharedResources out;
  std::vector<std::uint8_t> section(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(tree.structuresEnd));
  std::map<std::string_view, std::uint32_t> placed;  // content -> RVA of its one copy
  for (const ResourceLeaf& leaf : tree.leaves) {
    std::size_t entry = leaf.dataEntry;
    std::uint32_t rva = Get32(old, entry), size = Get32(old, entry + 4);
    if (rva < rsrc->rva || rva - rsrc->rva > old.size() || old.size() - (rva - rsrc->rva) < size)
      throw PeError("resource data lies outside the resource section");
    std::string_view bytes(reinterpret_cast<const char*>(old.data()) + (rva - rsrc->rva), size);
    auto [it, fresh] = placed.try_emplace(bytes, 0);
    if (fresh) {
      section.resize(AlignUp(section.size(), 8), 0);
      it->second = rsrc->rva + static_cast<std::uint32_t>(section.size());
      section.insert(section.end(), bytes.begin(), bytes.end());
    }
    Put32(section, entry, it->second);
  }
  out.resources = tree.leaves.size();
  out.blobs = placed.size();

  // The new file: headers and sections up to the resources unchanged, then the new resource
  // section, then the relocations moved down after it.
  out.image.assign(image.begin(), image.begin() + rsrc->rawOffset);
  std::span<std::uint8_t> head;
  std::uint32_t oldRaw = rsrc->rawSize;
  auto used = static_cast<std::uint32_t>(section.size());
  std::uint32_t newRaw = AlignUp(used, pe.fileAlignment);
  section.resize(newRaw, 0);
  out.image.insert(out.image.end(), section.begin(), section.end());
  head = out.image;
  Put32(head, rsrc->headerOffset + 8, used);
  Put32(head, rsrc->headerOffset + 16, newRaw);
  Put32(head, resources.headerOffset + 4, used);
  std::uint32_t nextRva = AlignUp(std::uint64_t{rsrc->rva} + used, pe.sectionAlignment);
  std::uint32_t imageEnd = nextRva;
  for (auto s = rsrc + 1; s != sections.end(); ++s) {
    std::uint32_t rawAt = static_cast<std::uint32_t>(out.image.size());
    out.image.insert(out.image.end(), image.begin() + s->rawOffset, image.begin() + s->rawOffset + s->rawSize);
    head = out.image;
    Put32(head, s->headerOffset + 12, nextRva);
    Put32(head, s->headerOffset + 20, s->rawSize ? rawAt : 0);
    Put32(head, pe.directories[kBaseRelocationDirectory].headerOffset, nextRva);
    imageEnd = AlignUp(std::uint64_t{nextRva} + std::max(s->virtualSize, s->rawSize), pe.sectionAlignment);
    nextRva = imageEnd;
  }
  Put32(head, pe.optionalOffset + 56, imageEnd);  // SizeOfImage
  if (rsrc->characteristics & 0x40) {             // initialized data
    std::uint32_t initialized = Get32(head, pe.optionalOffset + 8);
    Put32(head, pe.optionalOffset + 8, initialized - oldRaw + newRaw);
  }
  std::size_t checksumAt = pe.optionalOffset + 64;
  Put32(head, checksumAt, Get32(image, checksumAt) ? PeChecksum(out.image, checksumAt) : 0);
  return out;
}

}  // namespace k7x::tools
