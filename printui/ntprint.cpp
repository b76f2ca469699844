#include "ntprint.h"

namespace printui {

const InfFile& SystemPrinterInf() {
  static const InfFile inf = ParseInf(
                                 "[UNIDRV.OEM]\n"
                                 "CopyFiles=@UNIDRV.DLL,@UNIDRVUI.DLL,@UNIRES.DLL,@UNIDRV.HLP\n"
                                 "DriverFile=UNIDRV.DLL\n"
                                 "ConfigFile=UNIDRVUI.DLL\n"
                                 "HelpFile=UNIDRV.HLP\n"
                                 "[UNIDRV_DATA]\n"
                                 "CopyFiles=@STDNAMES.GPD\n")
                                 .inf;
  return inf;
}

}  // namespace printui
