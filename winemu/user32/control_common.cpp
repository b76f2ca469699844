// What the predefined controls share: the colour request to the parent, notifications.
#include "controls.h"
#include "paint.h"
#include "window_ops.h"

namespace winemu::user32 {

HBRUSH ControlColor(Window* control, HDC dc, UINT ctlColorMessage) {
  Window* parent = control->parent;
  auto dcArg = reinterpret_cast<WPARAM>(dc);
  auto self = reinterpret_cast<LPARAM>(control->handle);
  HBRUSH brush = parent ? reinterpret_cast<HBRUSH>(Send(parent, ctlColorMessage, dcArg, self)) : nullptr;
  if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProcA(parent ? parent->handle : control->handle, ctlColorMessage, dcArg, self));
  RecordCtlColor(dc, ctlColorMessage, brush);
  return brush;
}

bool IsPushButton(const Window* w) {
  if (!w || w->cls->proc != &ButtonProc) return false;
  DWORD type = w->style & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

}  // namespace winemu::user32
