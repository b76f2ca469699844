// The parts of the suite, by the DLL whose functions each checks, in the order main runs them.
#pragma once

namespace conformance {

void CheckFiles();
void CheckDelayedMoves();
void CheckFind();
void CheckDoubleByteText();  // also the user's folder for temporary files
void CheckProfile();
void CheckProfileEdges();
void CheckResources();
void CheckProcesses();
void CheckRegistry();
void CheckRegistryEdges();
void CheckServices();
void CheckSecurity();
void CheckSpooler();
void CheckSpoolerEdges();
void CheckDrivers();
void CheckDeletions();  // removes a printer; under Wine also the printers' driver
void CheckStoppedSpooler();  // while the Spooler service is stopped
void CheckSpoolerInstall();  // adds a driver and a printer that stay, and makes the printer default
void CheckDefaultPrinterChoice();  // after CheckSpoolerInstall, whose printer it uses
void CheckDialogs();
void CheckKeyboard();
void CheckWindows();

}  // namespace conformance
