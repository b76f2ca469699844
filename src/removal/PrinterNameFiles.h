// The driver files named after the printer N, which the driver directory and its 3 subdirectory
// hold; %s is N. In the order a removal deletes them from each place.
#pragma once

constexpr const char* kPrinterNameFilePatterns[] = {"%s.GPD", "%s.INI", "%sRES.dll", "%sD.dll", "%sF.dll"};
