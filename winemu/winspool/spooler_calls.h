// What the spooler calls share: their result (traced, last error set), the answer of a spooler
// that is not running, how a name shows in the trace, and the layout of their enumeration buffers.
#pragma once

#include <cstring>
#include <string>

#include <windows.h>
#include "machine/machine.h"
#include "spooler_store.h"

namespace winemu::spooler {

// A call's result: traced with `detail`, the last error set, TRUE when `err` is 0.
inline BOOL CallResult(const char* kind, const std::string& detail, DWORD err) {
  TraceResult(kind, detail, err);
  SetError(err);
  return err ? FALSE : TRUE;
}

// A stopped spooler answers every call with RPC_S_SERVER_UNAVAILABLE.
inline DWORD SpoolerError() { return SpoolerRunning() ? 0 : RPC_S_SERVER_UNAVAILABLE; }

// The first refusal of a change asked of the local spooler at `level` (only `wanted` is known) with
// the record `info`: a stopped spooler, another machine, another level, no record, no administrator.
inline DWORD ChangeRequestError(LPCSTR name, DWORD level, DWORD wanted, const void* info) {
  DWORD err = SpoolerError();
  if (!err && name && *name) err = ERROR_INVALID_NAME;  // only the local machine
  if (!err && level != wanted) err = ERROR_INVALID_LEVEL;
  if (!err && !info) err = ERROR_INVALID_PARAMETER;
  if (!err && !M().Config().admin) err = ERROR_ACCESS_DENIED;
  return err;
}

// An ANSI name as the trace shows it (UTF-8); "(server)" for the empty name of the print server.
std::string Shown(const std::string& ansiName);

// An enumeration buffer: the fixed-size records first, their strings packed from the end of the
// buffer downwards, so that with the needed size they follow the records directly.
class StringPack {
 public:
  StringPack() = default;  // measures only: every string is counted and comes back null
  StringPack(unsigned char* buffer, size_t size) : end_(reinterpret_cast<char*>(buffer) + size) {}
  // A zero-terminated copy of `s`.
  char* Text(const std::string& s) { return Bytes(s.c_str(), s.size() + 1); }
  // `count` bytes of `s`, already holding every terminator they need.
  char* Bytes(const char* s, size_t count) {
    used_ += count;
    if (!end_) return nullptr;
    end_ -= count;
    std::memcpy(end_, s, count);
    return end_;
  }
  size_t Used() const { return used_; }

 private:
  char* end_ = nullptr;
  size_t used_ = 0;
};

}  // namespace winemu::spooler
