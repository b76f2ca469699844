#include "install/PayloadStaging.h"

#include "install/StagingDir.h"
#include "payload/PayloadIds.h"
#include "shared/SystemLanguage.h"
#include "shared/globals.h"
#include "sys/ComposeText.h"
#include "sys/DriverDir.h"
#include "sys/OSVersion.h"

namespace {

constexpr int kSetCount = 3;
constexpr int kVariantCount = 3;

enum class Varies { No, ByCore, ByPlugins };

struct StagingRow {
  const char* name;  // %s is N
  bool rewrite;
  bool threePlaces;  // also into C:\TEMP\I386 and C:\TEMP\x86
  Varies varies;
  // Payload ids by set (XP, 2000, general) and variant (core: Chinese, English; plug-ins:
  // simplified Chinese, traditional Chinese, English).
  UINT ids[kSetCount][kVariantCount];
};

constexpr StagingRow kRows[] = {
    {"STDNAMES.GPD", false, false, Varies::No,
     {{kPayloadXpStdnames},
      {kPayloadW2kStdnames},
      {kPayloadGeneralStdnames}}},
    {"%s.GPD", true, false, Varies::No,
     {{kPayloadXpGpd},
      {kPayloadW2kGpd},
      {kPayloadGeneralGpd}}},
    {"%s.INI", true, false, Varies::No,
     {{kPayloadXpIni},
      {kPayloadW2kIni},
      {kPayloadGeneralIni}}},
    {"%sD.dll", false, true, Varies::No,
     {{kPayloadXpRenderPlugin},
      {kPayloadW2kRenderPlugin},
      {kPayloadGeneralRenderPlugin}}},
    {"ZIKU.UFM", false, false, Varies::No,
     {{kPayloadZikuUfm},
      {kPayloadZikuUfm},
      {kPayloadZikuUfm}}},
    {"UNIDRV.DLL", false, false, Varies::ByCore,
     {{kPayloadXpUnidrvZh, kPayloadXpUnidrvEn},
      {kPayloadW2kUnidrvZh, kPayloadW2kUnidrvEn},
      {kPayloadGeneralUnidrvZh, kPayloadGeneralUnidrvEn}}},
    {"UNIDRV.HLP", false, false, Varies::ByCore,
     {{kPayloadXpUnidrvHelpZh, kPayloadXpUnidrvHelpEn},
      {kPayloadW2kUnidrvHelpZh, kPayloadW2kUnidrvHelpEn},
      {kPayloadGeneralUnidrvHelpZh, kPayloadGeneralUnidrvHelpEn}}},
    {"UNIDRVUI.DLL", false, false, Varies::ByCore,
     {{kPayloadXpUnidrvuiZh, kPayloadXpUnidrvuiEn},
      {kPayloadW2kUnidrvuiZh, kPayloadW2kUnidrvuiEn},
      {kPayloadGeneralUnidrvuiZh, kPayloadGeneralUnidrvuiEn}}},
    {"UNIRES.DLL", false, false, Varies::ByCore,
     {{kPayloadXpUniresZh, kPayloadXpUniresEn},
      {kPayloadW2kUniresZh, kPayloadW2kUniresEn},
      {kPayloadGeneralUniresZh, kPayloadGeneralUniresEn}}},
    {"%sF.dll", false, true, Varies::ByPlugins,
     {{kPayloadXpConfigPluginZhCn, kPayloadXpConfigPluginZhTw, kPayloadXpConfigPluginEn},
      {kPayloadW2kConfigPluginZhCn, kPayloadW2kConfigPluginZhTw, kPayloadW2kConfigPluginEn},
      {kPayloadGeneralConfigPluginZhCn, kPayloadGeneralConfigPluginZhTw, kPayloadGeneralConfigPluginEn}}},
    {"%sRES.DLL", false, true, Varies::ByPlugins,
     {{kPayloadXpResourcesZh, kPayloadXpResourcesZhTw, kPayloadXpResourcesEn},
      {kPayloadW2kResourcesZh, kPayloadW2kResourcesZhTw, kPayloadW2kResourcesEn},
      {kPayloadGeneralResourcesZh, kPayloadGeneralResourcesZhTw, kPayloadGeneralResourcesEn}}},
};

constexpr const char* kStagingPlaces[] = {kStagingDir, kStagingI386Dir, kStagingX86Dir};

// The copy list: the last three names take the letter case of the staged set.
constexpr const char* kCopyListHead[] = {"UNIDRV.DLL", "%s.GPD",       "UNIDRVUI.DLL", "UNIDRV.HLP",
                                         "UNIRES.DLL", "STDNAMES.GPD", "ZIKU.UFM",     "%s.INI"};
constexpr const char* kCopyListTail[kSetCount][3] = {
    {"%sRES.DLL", "%sD.dll", "%sF.dll"},
    {"%sRES.DLL", "%sD.DLL", "%sF.DLL"},
    {"%sRES.dll", "%sD.dll", "%sF.dll"},
};

int SetIndex(PayloadSet set) { return set == PayloadSet::XP ? 0 : set == PayloadSet::Win2000 ? 1 : 2; }

UINT RowId(const StagingRow& row, const StagingChoice& choice) {
  int variant = 0;
  if (row.varies == Varies::ByCore) variant = choice.core == CoreVariant::Chinese ? 0 : 1;
  if (row.varies == Varies::ByPlugins)
    variant = choice.plugins == PluginVariant::SimplifiedChinese    ? 0
              : choice.plugins == PluginVariant::TraditionalChinese ? 1
                                                                      : 2;
  return row.ids[SetIndex(choice.set)][variant];
}

// Writes payload `id` to `directory`\`name`; false when it was not written, or its path would
// not fit.
bool Stage(PayloadWriter& writer, UINT id, const char* directory, const char* name, BOOL rewrite) {
  char path[kPathBufferSize];
  return ComposeText(path, "%s\\%s", directory, name) && writer.WritePayload(id, path, rewrite);
}

void CopyNamed(const char* format) {
  char name[kPathBufferSize];
  if (ComposeText(name, format, g_PrinterName)) CopyToDriverDir(name, FALSE);
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
  bool haveUninstaller = ComposeText(uninstaller, "uninstall%s.exe", g_PrinterName);
  bool staged = haveUninstaller && Stage(writer, kPayloadUninstaller, kStagingDir, uninstaller, FALSE);
  CreateStagingDirs();
  char inf[kPathBufferSize];
  staged = ComposeText(inf, "%s.INF", g_PrinterName) && Stage(writer, kPayloadInf, kStagingDir, inf, FALSE) && staged;
  if (haveUninstaller) CopyToDriverDir(uninstaller, FALSE);
  return staged;
}

bool StageDriverFiles(PayloadWriter& writer, const StagingChoice& choice) {
  CreateDirectoryA(kStagingDir, nullptr);
  bool staged = true;
  for (const StagingRow& row : kRows) {
    char name[kPathBufferSize];
    if (!ComposeText(name, row.name, g_PrinterName)) {
      staged = false;
      continue;
    }
    UINT id = RowId(row, choice);
    for (const char* place : kStagingPlaces) {
      staged = Stage(writer, id, place, name, row.rewrite ? TRUE : FALSE) && staged;
      if (!row.threePlaces) break;
    }
  }
  return staged;
}

void CopyDriverFilesToDriverDir(const StagingChoice& choice) {
  for (const char* format : kCopyListHead) CopyNamed(format);
  for (const char* format : kCopyListTail[SetIndex(choice.set)]) CopyNamed(format);
}
