// One entry of the model-name rewriting table: a line holding `match` becomes `replacement`.
#pragma once

#include "payload/ModelNameLines.h"
#include "shared/globals.h"

struct LineReplacement {
  char match[kPathBufferSize];
  char replacement[kPathBufferSize];
};

constexpr int kReplacementTableSize = 10;

// Fills the first five entries for printer name `name`; false (table untouched beyond what fit)
// when a replacement line would not fit its field.
bool FillModelNameTable(LineReplacement (&table)[kReplacementTableSize], const char* name);

// The length of the longest replacement line without the printer name in it.
int LongestReplacementBesidesName();
