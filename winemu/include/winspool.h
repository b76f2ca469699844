// winspool: filled by its subsystem.
#pragma once
#include "winemu/wintypes.h"
