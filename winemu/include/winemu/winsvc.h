// Filled by its subsystem.
#pragma once
#include "wintypes.h"
