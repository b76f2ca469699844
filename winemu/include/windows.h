// The Win32 subset that winemu provides, declared with the real names, types and constants.
#pragma once

#include "winemu/wintypes.h"
#include "winemu/winerror.h"
#include "winemu/winbase.h"
#include "winemu/winnls.h"
#include "winemu/winreg.h"
#include "winemu/winsvc.h"
#include "winemu/winsecurity.h"
#include "winemu/wingdi.h"
#include "winemu/winuser.h"
#include "winspool.h"
