// The state of the predefined controls (what the dump and the drivers read).
#pragma once

#include <string>
#include <vector>

#include "wnd.h"

namespace winemu::user32 {

struct ButtonData : ControlData {
  UINT state = 0;  // BST_CHECKED / BST_INDETERMINATE, BST_PUSHED, BST_FOCUS
  bool tracking = false;  // pressed by the mouse or the space bar, waiting for the release
  HANDLE image = nullptr;
};

struct StaticData : ControlData {
  HANDLE image = nullptr;  // SS_ICON: an HICON, SS_BITMAP: an HBITMAP
};

struct EditData : ControlData {
  DWORD selStart = 0;
  DWORD selEnd = 0;
  DWORD limit = 32767;  // what a user may type before EM_LIMITTEXT
  bool modified = false;
  char leadByte = 0;  // the first byte of a double-byte character typed as two WM_CHARs
};

struct ListBoxData : ControlData {
  std::vector<std::u16string> items;
  int selected = -1;
  int caret = 0;
  int top = 0;
  int itemHeight = 16;
  bool captured = false;
};

struct ScrollBarData : ControlData {
  int low = 0;
  int high = 100;
  int pos = 0;
};

struct ProgressData : ControlData {
  int low = 0;
  int high = 100;
  int pos = 0;
  int step = 10;
  COLORREF bar = CLR_INVALID;
  COLORREF background = CLR_INVALID;
};

}  // namespace winemu::user32
