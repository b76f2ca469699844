#include "install/InfForPrinterName.h"

#include <windows.h>

#include <cctype>
#include <cstring>

#include "payload/PayloadFile.h"
#include "payload/PayloadIds.h"
#include "shared/DriverFiles.h"
#include "shared/InstallRun.h"
#include "shared/ComposeText.h"
#include "sys/DriverFileGuard.h"

namespace {

// A byte that may be part of a file name token in the INF (DBCS bytes included).
bool InName(unsigned char c) { return std::isalnum(c) || c == '.' || c == '_' || c == '-' || c >= 0x80; }

bool SameIgnoringCase(std::string_view text, size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(text[at + i])) != std::toupper(static_cast<unsigned char>(word[i])))
      return false;
  return true;
}

// The length of the file name made from the model name that starts at `at`, or 0.
size_t ModelFileNameAt(std::string_view inf, size_t at) {
  std::string_view model = kModelName;
  if ((at > 0 && InName(inf[at - 1])) || !SameIgnoringCase(inf, at, model)) return 0;
  for (const DriverFile& file : kDriverFiles) {
    if (!file.namedAfterPrinter) continue;
    std::string_view rest = file.name + std::strlen("%s");
    size_t end = at + model.size() + rest.size();
    if (SameIgnoringCase(inf, at + model.size(), rest) && (end == inf.size() || !InName(inf[end])))
      return end - at;
  }
  return 0;
}

// Whether every driver file made from `printerName` is one no other installed driver uses (and
// none is named like a Unidrv core file): only then may an INF naming them put them into D\3.
bool FilesAreOwnOnly(const char* printerName) {
  CDriverFileGuard guard(kModelName);
  for (const DriverFile& file : kDriverFiles) {
    char name[kPathBufferSize];
    if (file.namedAfterPrinter && (!ComposeText(name, file.name, printerName) || !guard.MayDelete(name))) return false;
  }
  return true;
}

}  // namespace

std::string InfForPrinterName(std::string_view inf, const char* printerName) {
  std::string out;
  out.reserve(inf.size());
  for (size_t i = 0; i < inf.size();) {
    size_t length = ModelFileNameAt(inf, i);
    if (length == 0) {
      out += inf[i++];
      continue;
    }
    out += printerName;
    out += inf.substr(i + std::strlen(kModelName), length - std::strlen(kModelName));
    i += length;
  }
  return out;
}

bool StagedInfPath(char (&path)[kPathBufferSize], const char* printerName) {
  char name[kPathBufferSize];
  return ComposeText(name, kInfName, printerName) && ComposeText(path, "%s\\%s", kStagingDir, name);
}

bool StageInfForPrinterName(PayloadWriter& writer, const char* path) {
  if (std::strcmp(g_PrinterName, kModelName) == 0 || !FilesAreOwnOnly(g_PrinterName))
    return writer.WritePayload(kPayloadInf, path, FALSE) != FALSE;
  std::string inf;
  if (!ReadPayload(kPayloadInf, inf)) return false;
  std::string renamed = InfForPrinterName(inf, g_PrinterName);
  return WriteWholeFile(path, renamed.data(), static_cast<DWORD>(renamed.size()));
}
