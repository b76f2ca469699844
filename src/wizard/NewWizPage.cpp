#include "wizard/NewWizPage.h"

#include "framework/Debug.h"
#include "shared/resource.h"

namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr int kLogoTop = 18;
constexpr int kLogoRightGap = 5;

// The one white brush of the name boxes 1019, for the whole program: made when the first one is
// coloured and never released.
HBRUSH SharedWhiteBrush() {
  static HBRUSH brush = ::CreateSolidBrush(kWhite);
  return brush;
}

}  // namespace

CNewWizPage::CNewWizPage(UINT templateId, CWnd* parent) : CDialog(templateId, parent), m_nTemplateID(templateId) {}

CNewWizPage::~CNewWizPage() {
  if (m_brushWhite) ::DeleteObject(m_brushWhite);
}

BOOL CNewWizPage::OnPageCreated() { return TRUE; }
void CNewWizPage::OnPageDestroy() {}
BOOL CNewWizPage::OnPageLeave() { return TRUE; }
void CNewWizPage::OnPageEnter() {}
BOOL CNewWizPage::OnPageQueryCancel() { return TRUE; }
int CNewWizPage::OnPageBack() { return 0; }
int CNewWizPage::OnPageNext() { return 0; }
BOOL CNewWizPage::OnPageFinish() { return TRUE; }
void CNewWizPage::OnFrameWentBack() {}

BOOL CNewWizPage::OnInitDialog() {
  CDialog::OnInitDialog();
  DWORD style = GetStyle();
  ASSERT((style & WS_CHILD) != 0);
  ASSERT((style & WS_BORDER) == 0);
  ASSERT((style & WS_DISABLED) != 0);
  if (m_brushWhite) ::DeleteObject(m_brushWhite);  // a window made again
  m_brushWhite = ::CreateSolidBrush(kWhite);
  return TRUE;
}

void CNewWizPage::OnOK() {}

void CNewWizPage::OnCancel() {}

HBRUSH CNewWizPage::OnCtlColor(HDC dc, HWND control, UINT kind) {
  HBRUSH brush = CDialog::OnCtlColor(dc, control, kind);
  int id = ::GetDlgCtrlID(control);
  switch (kind) {
    case CTLCOLOR_EDIT:
    case CTLCOLOR_STATIC:
      ::SetTextColor(dc, kBlack);
      if (id == IDC_PRINTER_NAME) {
        ::SetBkColor(dc, kWhite);
        return SharedWhiteBrush();
      }
      ::SetBkMode(dc, TRANSPARENT);
      return brush;
    case CTLCOLOR_LISTBOX:
    case CTLCOLOR_SCROLLBAR:
      ::SetTextColor(dc, kBlack);
      ::SetBkMode(dc, TRANSPARENT);
      return brush;
    case CTLCOLOR_BTN:
      ::SetTextColor(dc, kBlack);
      ::SetBkColor(dc, kWhite);
      return id == IDC_BANNER ? m_brushWhite : brush;
    case CTLCOLOR_DLG: return m_brushWhite;
    default: return brush;
  }
}

BOOL CNewWizPage::OnEraseBkgnd(HDC) { return TRUE; }

void CNewWizPage::ApplyBannerLayout() {
  CWnd* frame = GetParent();
  RECT outer = {0, 0, 0, 0};
  frame->GetWindowRect(&outer);
  frame->ScreenToClient(&outer);

  CWnd* banner = GetDlgItem(IDC_BANNER);
  RECT bannerRect = {0, 0, 0, 0};
  banner->GetWindowRect(&bannerRect);
  ScreenToClient(&bannerRect);
  bannerRect.left = outer.left;
  bannerRect.top = outer.top;
  bannerRect.right = outer.right;
  banner->MoveWindow(&bannerRect, TRUE);

  CWnd* logo = GetDlgItem(IDC_LOGO);
  RECT logoRect = {0, 0, 0, 0};
  logo->GetWindowRect(&logoRect);
  int width = logoRect.right - logoRect.left;
  int height = logoRect.bottom - logoRect.top;
  logo->MoveWindow(outer.right - kLogoRightGap - width, kLogoTop, width, height, TRUE);
}
