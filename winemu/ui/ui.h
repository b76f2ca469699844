// The test API of winemu's window system: the script driver and the user actions in C++, the
// dump, what a window was drawn with, the GDI counts.
//
//   winemu::ui::ScriptDriver script;          // installed for the test while it lives
//   script.Click(12324).Wait(500).Answer().Then([&] { ... checks ... });
//   DialogBoxParamA(...);                      // the actions run whenever the program waits
//
// When the actions run out while the program waits, or one cannot be done, a
// winemu::user32::UiError is thrown out of the program's call (GetMessageA, DialogBoxParamA ...).
#pragma once

#include "gdi32/gdi.h"
#include "user32/icons.h"
#include "user32/menu.h"
#include "user32/paint.h"
#include "user32/wnd.h"
#include "actions.h"
#include "answer_boxes.h"
#include "dump.h"
#include "script.h"
#include "script_driver.h"

namespace winemu::ui {

using user32::Drawing;
using user32::DrawingCount;
using user32::LastDrawing;
using user32::UiError;

}  // namespace winemu::ui
