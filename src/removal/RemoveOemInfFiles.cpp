// The OEM INF cleanup of the removal: every copy of the driver's INF in the Windows inf folder goes.
#include "removal/OemInfCopies.h"
#include "shared/SetupApp.h"

BOOL CSetupApp::RemoveOemInfFiles() { return RemoveModelOemInfs(CompanionOrder::InfFirst) ? TRUE : FALSE; }
