// Writing an embedded payload to a file, with the model-name lines rewritten where asked.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "framework/StdioFile.h"
#include "payload/LineReplacement.h"
#include "payload/PayloadFile.h"
#include "payload/PayloadWrites.h"
#include "shared/ComposeText.h"
#include "shared/DriverFiles.h"
#include "shared/RunLog.h"
#include "shared/SetupApp.h"
#include "shared/globals.h"

namespace {

constexpr UINT kPieceBuffer = kPathBufferSize;

CPayloadWriteListener* g_pWriteListener = nullptr;

HANDLE CreateForWriting(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (g_pWriteListener) g_pWriteListener->Created(path, file != INVALID_HANDLE_VALUE);
  return file;
}

bool WriteTold(HANDLE file, const std::string& path, const void* data, DWORD size) {
  DWORD written = 0;
  bool whole = WriteFile(file, data, size, &written, nullptr) && written == size;
  if (g_pWriteListener) g_pWriteListener->Wrote(path, data, size, whole);
  return whole;
}

void TellSpoiled(const std::string& path) {
  if (g_pWriteListener) g_pWriteListener->Spoiled(path);
}

// The loaded resource of payload `id` with its bytes; null when it is missing or cannot be loaded.
HGLOBAL LoadPayload(UINT id, const void*& bytes, DWORD& size) {
  HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id & 0xFFFF), "OWNER_DATA");
  if (!info) return nullptr;
  HGLOBAL loaded = LoadResource(nullptr, info);
  if (!loaded) return nullptr;
  bytes = LockResource(loaded);
  size = SizeofResource(nullptr, info);
  return loaded;
}

}  // namespace

bool WriteWholeFile(const char* path, const void* data, DWORD size) {
  std::string name(path);
  HANDLE file = CreateForWriting(name);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool whole = WriteTold(file, name, data, size);
  CloseHandle(file);
  return whole;
}

bool ReadPayload(UINT id, std::string& bytes) {
  const void* data = nullptr;
  DWORD size = 0;
  HGLOBAL loaded = LoadPayload(id, data, size);
  if (!loaded) return false;
  bytes.assign(static_cast<const char*>(data), size);
  FreeResource(loaded);
  return true;
}

bool FillModelNameTable(LineReplacement (&table)[kReplacementTableSize], const char* name) {
  // The line that replaces each match: of N itself, or of a driver file's name made from N.
  // For each match text, in its order (payload/ModelNameLines.h).
  struct Row {
    const char* line;  // %s is the text
    const DriverFile* file;  // nullptr: the text is N
  };
  static const Row kRows[kModelNameReplacements] = {
      {"OEMDriverFile1=%s", &DriverFileOf(DriverFileId::RenderPlugin)},
      {"OEMConfigFile1=%s", &DriverFileOf(DriverFileId::ConfigPlugin)},
      {"*GPDFileName: \"%s\"", &DriverFileOf(DriverFileId::ModelGpd)},
      {"*ModelName: \"%s\"", nullptr},
      {"*ResourceDLL: \"%s\"", &DriverFileOf(DriverFileId::ResourceLibrary)},
  };
  for (int i = 0; i < kModelNameReplacements; ++i) {
    std::snprintf(table[i].match, sizeof table[i].match, "%s", kModelNameMatches[i]);
    char text[kPathBufferSize];
    if (!ComposeText(text, kRows[i].file ? NameInModelFiles(*kRows[i].file) : "%s", name) ||
        !ComposeText(table[i].replacement, kRows[i].line, text))
      return false;
  }
  return true;
}

int LongestReplacementBesidesName() {
  LineReplacement table[kReplacementTableSize] = {};
  FillModelNameTable(table, "");
  int longest = 0;
  for (int i = 0; i < kModelNameReplacements; ++i) {
    int length = static_cast<int>(std::strlen(table[i].replacement));
    longest = length > longest ? length : longest;
  }
  return longest;
}

BOOL CSetupApp::ExtractPayload(UINT id, std::string path, BOOL rewrite) {
  const void* bytes = nullptr;
  DWORD size = 0;
  HGLOBAL loaded = LoadPayload(id, bytes, size);
  if (!loaded) return FALSE;
  if (!rewrite) {
    bool written = WriteWholeFile(path.c_str(), bytes, size);
    FreeResource(loaded);
    LogLine(written ? "Written %s (payload %u)" : "%s cannot be written (payload %u)", path.c_str(), id);
    return TRUE;
  }
  LineReplacement table[kReplacementTableSize] = {};
  // A name whose replacement lines would not fit is refused: nothing is written.
  if (!FillModelNameTable(table, g_PrinterName)) {
    FreeResource(loaded);
    return FALSE;
  }
  bool whole = WriteWholeFile(kIntermediateFile, bytes, size);
  FreeResource(loaded);
  RewriteLines(kIntermediateFile, path, table, kModelNameReplacements);
  if (!whole) TellSpoiled(path);
  LogLine("Written %s (payload %u, its model lines naming %s)", path.c_str(), id, g_PrinterName);
  return TRUE;
}

void SetPayloadWriteListener(CPayloadWriteListener* listener) { g_pWriteListener = listener; }

void CSetupApp::RewriteLines(std::string source, std::string target, const LineReplacement* table, int count) {
  HANDLE out = CreateForWriting(target);
  CStdioFile in;
  if (!in.Open(source.c_str(), CStdioFile::modeRead | CStdioFile::typeText)) {
    TellSpoiled(target);
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    return;
  }
  try {
    char piece[kPieceBuffer];
    std::string line;
    bool more = true;
    while (more) {
      // A line longer than one piece is read whole, so that it stays one line of the target.
      line.clear();
      while ((more = in.ReadString(piece, kPieceBuffer) != nullptr)) {
        line += piece;
        if (!line.empty() && line.back() == '\n') break;
      }
      if (line.empty()) break;
      if (line.back() == '\n') line.pop_back();
      const char* output = line.c_str();
      for (int i = 0; i < count; ++i) {
        if (std::strstr(line.c_str(), table[i].match)) {
          output = table[i].replacement;
          break;
        }
      }
      std::string bytes = std::string(output) + "\n";
      WriteTold(out, target, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
  } catch (CFileException* error) {
    delete error;  // a read error ends the rewriting; the target keeps what was written
    TellSpoiled(target);
  }
  in.Close();
  if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
}
