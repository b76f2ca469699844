#include "directory_view.h"

#include <filesystem>
#include <system_error>

#include "ini.h"

namespace winemu {
namespace {

std::optional<DirectoryView::Listing> ReadListing(const std::string& dir) {
  std::error_code ec;
  std::filesystem::directory_iterator it(dir, ec);
  if (ec) return std::nullopt;
  DirectoryView::Listing listing;
  for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::error_code typeError;
    listing.Add({it->path().filename().string(), it->is_directory(typeError)});
  }
  return listing;
}

}  // namespace

void DirectoryView::Listing::Add(Entry entry) {
  exact_.emplace(entry.name, entries_.size());
  entries_.push_back(std::move(entry));
}

void DirectoryView::Listing::Remove(std::string_view name) {
  auto it = exact_.find(std::string(name));
  if (it == exact_.end()) return;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(it->second));
  exact_.clear();
  for (size_t i = 0; i < entries_.size(); ++i) exact_.emplace(entries_[i].name, i);
}

const DirectoryView::Entry* DirectoryView::Listing::Find(std::string_view name) const {
  if (auto it = exact_.find(std::string(name)); it != exact_.end()) return &entries_[it->second];
  for (const Entry& entry : entries_)
    if (EqualsNoCase(entry.name, name)) return &entry;
  return nullptr;
}

const DirectoryView::Listing* DirectoryView::List(const std::string& dir) {
  auto it = listings_.find(dir);
  if (it == listings_.end()) it = listings_.emplace(dir, ReadListing(dir)).first;
  return it->second ? &*it->second : nullptr;
}

namespace {
std::pair<std::string, std::string> SplitHost(const std::string& host) {
  size_t slash = host.rfind('/');
  return {host.substr(0, slash), host.substr(slash + 1)};
}
}  // namespace

void DirectoryView::Made(const std::string& host, bool directory) {
  auto [dir, name] = SplitHost(host);
  listings_.erase(host);
  auto it = listings_.find(dir);
  if (it == listings_.end() || !it->second) return;  // read when first needed
  it->second->Remove(name);
  it->second->Add({name, directory});
}

void DirectoryView::Removed(const std::string& host) {
  auto [dir, name] = SplitHost(host);
  if (auto it = listings_.find(dir); it != listings_.end() && it->second) it->second->Remove(name);
  listings_.erase(host);
}

}  // namespace winemu
