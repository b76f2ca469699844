// CreateWindowExA and DestroyWindow, with Windows' message order:
// creation WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE, WM_PARENTNOTIFY, then WM_SHOWWINDOW when
// WS_VISIBLE; destruction WM_PARENTNOTIFY, hiding, owned windows first, WM_DESTROY to the window
// and then to its children (parent first), WM_NCDESTROY to the children and then the window.
#include <algorithm>

#include "classes.h"
#include "machine/quoted.h"
#include "metrics.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

void Unlink(Window* w) {
  auto& ws = WS();
  if (w->parent) {
    auto& siblings = w->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
  } else {
    ws.topLevels.erase(std::remove(ws.topLevels.begin(), ws.topLevels.end(), w), ws.topLevels.end());
  }
}

void PurgeMessages(std::deque<MSG>& queue, HWND h) {
  queue.erase(std::remove_if(queue.begin(), queue.end(), [h](const MSG& m) { return m.hwnd == h; }), queue.end());
}

// The window's storage goes: children first, each with WM_NCDESTROY.
void Free(Window* w) {
  auto& ws = WS();
  std::vector<Window*> children = w->children;
  for (Window* c : children)
    if (c->alive) Free(c);
  Send(w, WM_NCDESTROY, 0, 0);
  KillTimersOf(w->handle);
  PurgeMessages(ws.posted, w->handle);
  PurgeMessages(ws.input, w->handle);
  if (Window* f = W(ws.focus); f && (f == w || IsDescendant(w, f))) ws.focus = nullptr;
  if (ws.active == w->handle) ws.active = nullptr;
  if (ws.capture == w->handle) ws.capture = nullptr;
  if (w->sysMenu) DestroyMenuHandle(w->sysMenu);
  w->sysMenu = nullptr;
  Unlink(w);
  for (Window* other : ws.Live())
    if (other->owner == w) other->owner = nullptr;
  ws.Forget(*w);
}

void SendDestroy(Window* w) {
  if (WS().active == w->handle) ActivateOther(w);
  Send(w, WM_DESTROY, 0, 0);
  if (!w->alive) return;
  std::vector<Window*> children = w->children;
  for (Window* c : children)
    if (c->alive) SendDestroy(c);
}

void ParentNotify(Window* w, UINT event) {
  if (!w->parent || (w->exStyle & WS_EX_NOPARENTNOTIFY)) return;
  Send(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(event, static_cast<WORD>(w->id)), reinterpret_cast<LPARAM>(w->handle));
}

DWORD FixExStyle(DWORD style, DWORD exStyle) {
  bool edge = (exStyle & WS_EX_DLGMODALFRAME) ||
              (!(exStyle & WS_EX_STATICEDGE) && (style & (WS_DLGFRAME | WS_THICKFRAME)));
  return edge ? (exStyle | WS_EX_WINDOWEDGE) : (exStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE));
}

}  // namespace

HWND CreateWindowInternal(const CreateParams& p) {
  auto& ws = WS();
  if (!p.cls) return SetError(kErrorCannotFindWndClass), nullptr;
  Window* parent = nullptr;
  Window* owner = nullptr;
  if (p.style & WS_CHILD) {
    parent = W(p.parent);
    if (!parent) return SetError(p.parent ? ERROR_INVALID_WINDOW_HANDLE : kErrorTlwWithWsChild), nullptr;
  } else if (p.parent) {
    owner = W(p.parent);
    if (!owner) return SetError(ERROR_INVALID_WINDOW_HANDLE), nullptr;
    owner = Root(owner);
  }
  auto made = std::make_unique<Window>();
  made->cls = p.cls;
  made->proc = p.cls->proc;
  made->style = p.style & ~static_cast<DWORD>(WS_VISIBLE);
  if (!(made->style & (WS_CHILD | WS_POPUP))) made->style |= WS_CLIPSIBLINGS | WS_CAPTION;
  made->exStyle = FixExStyle(made->style, p.exStyle);
  // A control id is 32 bits, sign-extended as on 32-bit Windows (a DIALOGEX id -1 stays -1).
  made->id = parent ? static_cast<LONG_PTR>(static_cast<LONG>(reinterpret_cast<std::uintptr_t>(p.menu))) : 0;
  made->instance = p.instance;
  made->parent = parent;
  made->owner = owner;
  made->extra.assign(static_cast<size_t>(std::max(0, p.cls->wndExtra)), 0);
  int x = p.x, y = p.y, width = p.width, height = p.height;
  if (x == CW_USEDEFAULT) x = y = parent ? 0 : 100;
  if (width == CW_USEDEFAULT) {
    width = parent ? 0 : 640;
    height = parent ? 0 : 480;
  }
  made->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
  made->createText = p.text;
  made->createImage = p.image;
  Window* w = &ws.Add(std::move(made));
  if (parent) parent->children.push_back(w);
  else ws.topLevels.insert(ws.topLevels.begin(), w);

  std::string className = ToAnsi(p.cls->name);
  // A top-level window is what a person sees appear (a quiet run has none).
  if (!parent) Trace("window.create", "class=" + Quoted(ToUtf8(p.cls->name)) + " text=" + Quoted(ToUtf8(p.text)));
  CREATESTRUCTA cs{p.param, p.instance, p.menu, p.parent, height, width, y, x,
                   static_cast<LONG>(w->style), p.ansiName, className.c_str(), w->exStyle};
  if (!Send(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (w->alive) {
      Unlink(w);
      ws.Forget(*w);
    }
    return nullptr;
  }
  if (!w->alive) return nullptr;
  if (Send(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    if (w->alive) DestroyWindow(w->handle);
    return nullptr;
  }
  if (!w->alive) return nullptr;
  w->createText.reset();
  w->createImage.reset();
  RECT client = ClientRectOf(w);
  Send(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  POINT origin = ClientOrigin(w);
  if (parent) {
    POINT po = ClientOrigin(parent);
    origin.x -= po.x;
    origin.y -= po.y;
  }
  Send(w, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
  ParentNotify(w, WM_CREATE);
  if (!w->alive) return nullptr;
  if (p.style & WS_VISIBLE) ShowWindow(w->handle, SW_SHOW);
  return w->alive ? w->handle : nullptr;
}

}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam) {
  CreateParams p;
  p.exStyle = dwExStyle;
  p.cls = FindClassA(lpClassName);
  if (lpWindowName && IS_INTRESOURCE(lpWindowName)) {
    ResId id;
    id.id = static_cast<std::uint16_t>(reinterpret_cast<std::uintptr_t>(lpWindowName));
    p.image = id;
  } else {
    p.text = FromAnsi(lpWindowName);
  }
  p.ansiName = lpWindowName;
  p.style = dwStyle;
  p.x = X;
  p.y = Y;
  p.width = nWidth;
  p.height = nHeight;
  p.parent = hWndParent;
  p.menu = hMenu;
  p.instance = hInstance;
  p.param = lpParam;
  return CreateWindowInternal(p);
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
  Window* w = WOrFail(hWnd);
  if (!w) return FALSE;
  if (w->destroying) return TRUE;
  w->destroying = true;
  ParentNotify(w, WM_DESTROY);
  if (!w->alive) return TRUE;
  if (w->style & WS_VISIBLE) {
    if (w->IsChild()) ShowWindow(hWnd, SW_HIDE);
    else SetVisible(w, false, false, false);
  }
  if (!w->alive) return TRUE;
  for (Window* other : WS().Live())
    if (other->owner == w && other->alive) DestroyWindow(other->handle);
  if (!w->alive) return TRUE;
  SendDestroy(w);
  if (!w->alive) return TRUE;
  Free(w);
  return TRUE;
}
