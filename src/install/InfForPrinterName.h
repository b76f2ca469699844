// The staged INF for printer name N. The shipped INF names the driver files made from the model
// name (the rows of the driver file table named after N); the run stages them under N, so for
// another N the staged INF names N's files instead, while its model, sections and texts keep the
// model name that the utility's commands and the OEM INF recognition use.
#pragma once

#include <string>
#include <string_view>

#include "shared/globals.h"

class PayloadWriter;

// `inf` with every file name made from the model name (a whole token, letter case ignored)
// carrying `printerName` in the model name's place, the rest of the name in the INF's letter case;
// every other byte, line ends included, as it was.
std::string InfForPrinterName(std::string_view inf, const char* printerName);

// C:\TEMP\N.INF, where the run stages the INF and the utility reads it; false when it does not fit.
bool StagedInfPath(char (&path)[kPathBufferSize], const char* printerName);

// Writes the INF payload to `path` for the configured printer name: naming N's files when N is not
// the model name and no other installed driver uses a file of N's names (which the installation
// would overwrite in D\3); otherwise byte for byte. False when it was not written.
bool StageInfForPrinterName(PayloadWriter& writer, const char* path);
