// What the machine knows of the directories under drive_c/: each directory's entries, listed from
// the host once and then kept true by the machine's own file functions, which tell it what they
// made and removed. Path resolution looks names up here instead of asking the host for every
// component.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace winemu {

class Machine;

class DirectoryView {
 public:
  explicit DirectoryView(Machine&) {}

  struct Entry {
    std::string name;  // as on the host
    bool directory;
  };
  class Listing {
   public:
    void Add(Entry entry);
    void Remove(std::string_view name);  // the entry of exactly this name
    // The entry named `name`: the exact name first, else the first in listing order that matches
    // without regard to case; nullptr when there is none.
    const Entry* Find(std::string_view name) const;

   private:
    std::vector<Entry> entries_;  // in the host's listing order
    std::unordered_map<std::string, size_t> exact_;
  };

  // The entries of the host directory `dir`; nullptr when it is not a directory.
  const Listing* List(const std::string& dir);
  // `host` was made: it joins its directory's listing.
  void Made(const std::string& host, bool directory);
  // `host` was removed: it leaves its directory's listing, and its own listing goes.
  void Removed(const std::string& host);
  void Clear() { listings_.clear(); }

 private:
  std::map<std::string, std::optional<Listing>> listings_;
};

}  // namespace winemu
