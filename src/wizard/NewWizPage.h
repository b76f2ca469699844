// The wizard page base: a modeless child dialog that the frame (CNewWizDialog) creates, places,
// shows and asks through eight virtual operations. Page templates are WS_CHILD | WS_DISABLED |
// DS_SETFONT without a border; the frame enables a page when it shows it.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"

class CNewWizDialog;

class CNewWizPage : public CDialog {
 public:
  explicit CNewWizPage(UINT templateId, CWnd* parent = nullptr);
  ~CNewWizPage() override;

  // The frame's questions, in this order; the defaults let the page be left, cancelled and
  // finished, and make Back and Next follow the list order.
  virtual BOOL OnPageCreated();     // once after creation; FALSE aborts the showing
  virtual void OnPageDestroy();     // just before the window is destroyed
  virtual BOOL OnPageLeave();       // FALSE keeps the page current
  virtual void OnPageEnter();       // after the page is shown and repainted
  virtual BOOL OnPageQueryCancel(); // FALSE vetoes Cancel
  virtual int OnPageBack();         // 0: previous page, -1: stay, other: template id of the target
  virtual int OnPageNext();         // 0: next page, -1: stay, other: template id of the target
  virtual BOOL OnPageFinish();      // FALSE vetoes Finish
  // Told to every page, shown or not, when the frame's Back has moved to another page.
  virtual void OnFrameWentBack();

  // For pages with the banner group box 1040 and the logo 1065: the banner spans the frame's (the
  // parent window's) outer rectangle from its top edge to the banner's own bottom; the logo stands
  // 18 pixels from the top, its right edge 5 pixels left of the frame's outer right edge.
  void ApplyBannerLayout();

  CNewWizDialog* m_pParent = nullptr;  // the frame, set when it creates the window
  BOOL m_bCreated = FALSE;             // the window exists
  BOOL m_bActive = FALSE;              // the current page
  UINT m_nTemplateID;
  HBRUSH m_brushWhite = nullptr;       // made at initialisation, released with the object

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;      // Enter inside the page: ignored, the page stays
  void OnCancel() override;  // Escape inside the page: ignored, cancelling is the frame's
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;
  BOOL OnEraseBkgnd(HDC dc) override;  // erased, nothing painted: the frame shows through
};
