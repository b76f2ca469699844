// The system's own printer INF (NTPRINT.INF) as far as printer INFs include it: the Unidrv
// sections present on every emulated machine.
#pragma once

#include "inf.h"

namespace printui {

constexpr const char* kSystemPrinterInf = "NTPRINT.INF";

// [UNIDRV.OEM] (UNIDRV.DLL, UNIDRVUI.DLL, UNIRES.DLL, UNIDRV.HLP with the driver, configuration and
// help file) and [UNIDRV_DATA] (STDNAMES.GPD).
const InfFile& SystemPrinterInf();

}  // namespace printui
