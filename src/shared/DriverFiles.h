// The driver's files and what the programs do with each: the one place their names are spelled.
// In a name, %s is the printer name N. Where a use spells a name in another letter case, its
// column says so (nullptr: as `name`); Windows compares file names without regard to case.
#pragma once

// The three payload sets: the XP files, the Windows 2000 files, and the general files for every
// other system.
enum class PayloadSet { XP, Win2000, General };
constexpr int kPayloadSetCount = 3;

enum class DriverFileId {
  StandardNames,    // Microsoft's GPD of standard names
  ModelGpd,
  ModelIni,         // names the two plug-ins
  RenderPlugin,
  ConfigPlugin,
  FontMetrics,
  ResourceLibrary,
  Unidrv,           // the Unidrv core, which every Unidrv driver shares
  UnidrvHelp,
  UnidrvUi,
  UnidrvResources,
};
constexpr int kDriverFileCount = 11;

struct DriverFile {
  DriverFileId id;
  const char* name;          // as the driver file set, the removal and the uninstaller spell it
  const char* stagedName;    // as staged in C:\TEMP
  const char* nameInModelFiles;  // as the rewritten model GPD and INI name it (nullptr: as staged)
  const char* copiedName[kPayloadSetCount];  // as copied into the driver directory D, by set
                                             // (nullptr: as staged)
  bool namedAfterPrinter;    // made from N: installed into D\3 as well; the removal deletes it
  bool stagedInThreePlaces;  // also into C:\TEMP\I386 and C:\TEMP\x86
  bool rewrittenForName;     // its model-name lines are rewritten for N when staged
  bool uninstallerDeletes;   // the uninstaller deletes it from D and D\3
};

// In the order of the driver file set.
inline constexpr DriverFile kDriverFiles[kDriverFileCount] = {
    {DriverFileId::StandardNames, "STDNAMES.GPD", nullptr, nullptr, {}, false, false, false, false},
    {DriverFileId::ModelGpd, "%s.GPD", nullptr, nullptr, {}, true, false, true, true},
    {DriverFileId::ModelIni, "%s.INI", nullptr, nullptr, {}, true, false, true, true},
    {DriverFileId::RenderPlugin, "%sD.dll", nullptr, "%sD.DLL", {nullptr, "%sD.DLL", nullptr}, true, true, false, true},
    {DriverFileId::ConfigPlugin, "%sF.dll", nullptr, "%sF.DLL", {nullptr, "%sF.DLL", nullptr}, true, true, false, true},
    {DriverFileId::FontMetrics, "ZIKU.UFM", nullptr, nullptr, {}, false, false, false, true},
    {DriverFileId::ResourceLibrary, "%sRES.dll", "%sRES.DLL", nullptr, {nullptr, nullptr, "%sRES.dll"}, true, true,
     false, true},
    {DriverFileId::Unidrv, "UNIDRV.DLL", nullptr, nullptr, {}, false, false, false, false},
    {DriverFileId::UnidrvHelp, "UNIDRV.HLP", nullptr, nullptr, {}, false, false, false, false},
    {DriverFileId::UnidrvUi, "UNIDRVUI.DLL", nullptr, nullptr, {}, false, false, false, false},
    {DriverFileId::UnidrvResources, "UNIRES.DLL", nullptr, nullptr, {}, false, false, false, false},
};

// The order of the copy into D, and that of the removal of the files named after N (which the
// uninstaller follows, the font metrics last). The staging rows keep their own order with their
// payloads (install/PayloadStaging).
inline constexpr DriverFileId kCopyOrder[kDriverFileCount] = {
    DriverFileId::Unidrv,      DriverFileId::ModelGpd,        DriverFileId::UnidrvUi,     DriverFileId::UnidrvHelp,
    DriverFileId::UnidrvResources, DriverFileId::StandardNames, DriverFileId::FontMetrics, DriverFileId::ModelIni,
    DriverFileId::ResourceLibrary, DriverFileId::RenderPlugin,  DriverFileId::ConfigPlugin};
inline constexpr DriverFileId kRemovalOrder[] = {DriverFileId::ModelGpd, DriverFileId::ModelIni,
                                                 DriverFileId::ResourceLibrary, DriverFileId::RenderPlugin,
                                                 DriverFileId::ConfigPlugin, DriverFileId::FontMetrics};

constexpr const DriverFile& DriverFileOf(DriverFileId id) { return kDriverFiles[static_cast<int>(id)]; }
constexpr const char* StagedName(const DriverFile& f) { return f.stagedName ? f.stagedName : f.name; }
constexpr const char* NameInModelFiles(const DriverFile& f) {
  return f.nameInModelFiles ? f.nameInModelFiles : StagedName(f);
}
constexpr const char* CopiedName(const DriverFile& f, PayloadSet set) {
  const char* n = f.copiedName[static_cast<int>(set)];
  return n ? n : StagedName(f);
}

// The uninstaller as staged and installed into D, and the staged INF.
constexpr const char* kUninstallerName = "uninstall%s.exe";
constexpr const char* kInfName = "%s.INF";
