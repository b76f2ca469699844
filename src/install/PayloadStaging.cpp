#include "install/PayloadStaging.h"

#include "install/InfForPrinterName.h"
#include "install/StagingDir.h"
#include "install/WrittenFiles.h"
#include "payload/PayloadIds.h"
#include "shared/ComposeText.h"
#include "shared/DriverFiles.h"
#include "shared/SystemLanguage.h"
#include "shared/globals.h"
#include "sys/DriverDir.h"
#include "sys/OSVersion.h"

namespace {

constexpr int kVariantCount = 3;

enum class Varies { No, ByCore, ByPlugins };

// The payloads of each driver file, in the order the files are staged.
struct StagingRow {
  DriverFileId file;
  Varies varies;
  // Payload ids by set (XP, 2000, general) and variant (core: Chinese, English; plug-ins:
  // simplified Chinese, traditional Chinese, English).
  UINT ids[kPayloadSetCount][kVariantCount];
};

constexpr StagingRow kRows[] = {
    {DriverFileId::StandardNames, Varies::No,
     {{kPayloadXpStdnames},
      {kPayloadW2kStdnames},
      {kPayloadGeneralStdnames}}},
    {DriverFileId::ModelGpd, Varies::No,
     {{kPayloadXpGpd},
      {kPayloadW2kGpd},
      {kPayloadGeneralGpd}}},
    {DriverFileId::ModelIni, Varies::No,
     {{kPayloadXpIni},
      {kPayloadW2kIni},
      {kPayloadGeneralIni}}},
    {DriverFileId::RenderPlugin, Varies::No,
     {{kPayloadXpRenderPlugin},
      {kPayloadW2kRenderPlugin},
      {kPayloadGeneralRenderPlugin}}},
    {DriverFileId::FontMetrics, Varies::No,
     {{kPayloadZikuUfm},
      {kPayloadZikuUfm},
      {kPayloadZikuUfm}}},
    {DriverFileId::Unidrv, Varies::ByCore,
     {{kPayloadXpUnidrvZh, kPayloadXpUnidrvEn},
      {kPayloadW2kUnidrvZh, kPayloadW2kUnidrvEn},
      {kPayloadGeneralUnidrvZh, kPayloadGeneralUnidrvEn}}},
    {DriverFileId::UnidrvHelp, Varies::ByCore,
     {{kPayloadXpUnidrvHelpZh, kPayloadXpUnidrvHelpEn},
      {kPayloadW2kUnidrvHelpZh, kPayloadW2kUnidrvHelpEn},
      {kPayloadGeneralUnidrvHelpZh, kPayloadGeneralUnidrvHelpEn}}},
    {DriverFileId::UnidrvUi, Varies::ByCore,
     {{kPayloadXpUnidrvuiZh, kPayloadXpUnidrvuiEn},
      {kPayloadW2kUnidrvuiZh, kPayloadW2kUnidrvuiEn},
      {kPayloadGeneralUnidrvuiZh, kPayloadGeneralUnidrvuiEn}}},
    {DriverFileId::UnidrvResources, Varies::ByCore,
     {{kPayloadXpUniresZh, kPayloadXpUniresEn},
      {kPayloadW2kUniresZh, kPayloadW2kUniresEn},
      {kPayloadGeneralUniresZh, kPayloadGeneralUniresEn}}},
    {DriverFileId::ConfigPlugin, Varies::ByPlugins,
     {{kPayloadXpConfigPluginZhCn, kPayloadXpConfigPluginZhTw, kPayloadXpConfigPluginEn},
      {kPayloadW2kConfigPluginZhCn, kPayloadW2kConfigPluginZhTw, kPayloadW2kConfigPluginEn},
      {kPayloadGeneralConfigPluginZhCn, kPayloadGeneralConfigPluginZhTw, kPayloadGeneralConfigPluginEn}}},
    {DriverFileId::ResourceLibrary, Varies::ByPlugins,
     {{kPayloadXpResourcesZh, kPayloadXpResourcesZhTw, kPayloadXpResourcesEn},
      {kPayloadW2kResourcesZh, kPayloadW2kResourcesZhTw, kPayloadW2kResourcesEn},
      {kPayloadGeneralResourcesZh, kPayloadGeneralResourcesZhTw, kPayloadGeneralResourcesEn}}},
};

constexpr const char* kStagingPlaces[] = {kStagingDir, kStagingI386Dir, kStagingX86Dir};

UINT RowId(const StagingRow& row, const StagingChoice& choice) {
  int variant = 0;
  if (row.varies == Varies::ByCore) variant = choice.core == CoreVariant::Chinese ? 0 : 1;
  if (row.varies == Varies::ByPlugins)
    variant = choice.plugins == PluginVariant::SimplifiedChinese    ? 0
              : choice.plugins == PluginVariant::TraditionalChinese ? 1
                                                                      : 2;
  return row.ids[static_cast<int>(choice.set)][variant];
}

// Writes payload `id` to `directory`\`name` as a new file, which takes the staging folder's owner
// and DACL (one left there would keep its own when written over); false when it was not written, or its path would not fit.
bool Stage(PayloadWriter& writer, UINT id, const char* directory, const char* name, BOOL rewrite) {
  char path[kPathBufferSize];
  if (!ComposeText(path, "%s\\%s", directory, name)) return false;
  DeleteFileA(path);
  if (rewrite) DeleteFileA(kIntermediateFile);
  return writer.WritePayload(id, path, rewrite) != FALSE;
}

// Copies C:\TEMP\name into the driver directory, only when it holds what this run wrote there,
// and records the copy; false when it did not hold that.
bool CopyRecorded(const char* name) {
  char source[kPathBufferSize];
  bool intact = StagingDirPath(name, source) && WrittenFileIntact(source);
  if (intact) CopyToDriverDir(name, FALSE);
  NoteCopiedToDriverDir(name);
  return intact;
}

bool CopyNamed(const char* format) {
  char name[kPathBufferSize];
  return ComposeText(name, format, g_PrinterName) && CopyRecorded(name);
}

}  // namespace

StagingChoice ChooseStaging(int osVersion, LANGID systemLanguage, WORD languageChoice) {
  StagingChoice c;
  c.set = osVersion == OS_WINXP ? PayloadSet::XP : osVersion == OS_WIN2000 ? PayloadSet::Win2000 : PayloadSet::General;
  SystemLanguage system = SystemLanguageOf(systemLanguage);
  c.core = IsChinese(system) ? CoreVariant::Chinese : CoreVariant::English;
  c.plugins = languageChoice != 0                            ? PluginVariant::English
              : system == SystemLanguage::SimplifiedChinese ? PluginVariant::SimplifiedChinese
                                                            : PluginVariant::TraditionalChinese;
  return c;
}

bool StageUninstallerAndInf(PayloadWriter& writer) {
  char uninstaller[kPathBufferSize];
  bool haveUninstaller = ComposeText(uninstaller, kUninstallerName, g_PrinterName);
  bool staged = haveUninstaller && Stage(writer, kPayloadUninstaller, kStagingDir, uninstaller, FALSE);
  CreateStagingDirs();
  char inf[kPathBufferSize];
  bool haveInf = StagedInfPath(inf, g_PrinterName);
  if (haveInf) DeleteFileA(inf);  // made anew, as Stage makes every staged file
  staged = haveInf && StageInfForPrinterName(writer, inf) && staged;
  if (haveUninstaller) CopyRecorded(uninstaller);
  return staged;
}

bool StageDriverFiles(PayloadWriter& writer, const StagingChoice& choice) {
  CreateDirectoryA(kStagingDir, nullptr);
  bool staged = true;
  for (const StagingRow& row : kRows) {
    const DriverFile& file = DriverFileOf(row.file);
    char name[kPathBufferSize];
    if (!ComposeText(name, StagedName(file), g_PrinterName)) {
      staged = false;
      continue;
    }
    UINT id = RowId(row, choice);
    for (const char* place : kStagingPlaces) {
      staged = Stage(writer, id, place, name, file.rewrittenForName ? TRUE : FALSE) && staged;
      if (!file.stagedInThreePlaces) break;
    }
  }
  return staged;
}

bool CopyDriverFilesToDriverDir(const StagingChoice& choice) {
  bool copied = true;
  for (DriverFileId id : kCopyOrder) copied = CopyNamed(CopiedName(DriverFileOf(id), choice.set)) && copied;
  return copied;
}
