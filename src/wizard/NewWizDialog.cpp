#include "wizard/NewWizDialog.h"

#include "framework/Debug.h"
#include "framework/ResourceString.h"
#include "shared/resource.h"

CNewWizDialog::CNewWizDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

void CNewWizDialog::AppendPage(CNewWizPage* page, UINT templateId) {
  m_pages.push_back(page);
  page->m_nTemplateID = templateId;
}

BOOL CNewWizDialog::ShowPage(CNewWizPage* page) {
  ASSERT(m_nPlaceholderID != 0);
  ASSERT(page != nullptr);
  ASSERT(IsWindow());
  if (!page) return FALSE;

  if (!page->IsWindow()) {
    if (!page->Create(page->m_nTemplateID, this)) return FALSE;
    // The page is a control of the frame for the dialog manager (as a property sheet's page is):
    // Tab, the arrows and the mnemonics move through the frame's and the page's controls as one.
    page->ModifyStyle(0, DS_CONTROL);
    page->ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    page->m_bCreated = TRUE;
    page->m_pParent = this;
    if (!page->OnPageCreated()) return FALSE;
  }
  if (!HideCurrentPage()) return FALSE;

  HWND placeholder = ::GetDlgItem(m_hWnd, m_nPlaceholderID);
  ASSERT(placeholder != nullptr);
  RECT rect = {0, 0, 0, 0};
  ::GetWindowRect(placeholder, &rect);
  ScreenToClient(&rect);
  page->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  page->EnableWindow(TRUE);
  page->ShowWindow(SW_SHOW);
  // The focus goes to the page's first tab stop, as a property sheet puts it.
  if (HWND first = ::GetNextDlgTabItem(page->m_hWnd, nullptr, FALSE))
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
  page->InvalidateRect(nullptr, TRUE);
  page->UpdateWindow();
  page->OnPageEnter();
  page->m_bActive = TRUE;
  return TRUE;
}

BOOL CNewWizDialog::HideCurrentPage() {
  CNewWizPage* current = CurrentPage();
  if (!current) return TRUE;
  ASSERT(current->IsWindow());
  if (!current->OnPageLeave()) return FALSE;
  current->ShowWindow(SW_HIDE);
  current->m_bActive = FALSE;
  return TRUE;
}

BOOL CNewWizDialog::ClosePage(CNewWizPage* page) {
  if (!page->IsWindow()) return TRUE;
  if (!page->OnPageLeave()) return FALSE;
  page->OnPageDestroy();
  page->DestroyWindow();
  page->m_bCreated = FALSE;
  return TRUE;
}

CNewWizPage* CNewWizDialog::CurrentPage() const {
  for (CNewWizPage* page : m_pages)
    if (page->m_bActive) return page;
  return nullptr;
}

CNewWizPage* CNewWizDialog::FirstPage() const {
  ASSERT(!m_pages.empty());
  return m_pages.front();
}

CNewWizPage* CNewWizDialog::LastPage() const {
  ASSERT(!m_pages.empty());
  return m_pages.back();
}

CNewWizPage* CNewWizDialog::PageAfterCurrent() const {
  int index = CurrentIndex();
  return index < 0 ? nullptr : PageAtIndex(index + 1);
}

CNewWizPage* CNewWizDialog::PageByTemplate(UINT templateId) const {
  for (CNewWizPage* page : m_pages)
    if (page->m_nTemplateID == templateId) return page;
  return nullptr;
}

BOOL CNewWizDialog::StartWizard() {
  CNewWizPage* first = FirstPage();
  if (!HideCurrentPage()) return FALSE;
  SetBackEnabled(FALSE);
  if (m_pages.size() >= 2) {
    SetFinishEnabled(FALSE);
    SetNextEnabled(TRUE);
  } else {
    SetFinishEnabled(TRUE);
    SetNextEnabled(FALSE);
  }
  return ShowPage(first);
}

BOOL CNewWizDialog::ShowPageByTemplate(UINT templateId) {
  CNewWizPage* page = PageByTemplate(templateId);
  if (!page || !HideCurrentPage()) return FALSE;
  return ShowPage(page);
}

BOOL CNewWizDialog::AdvanceOnePage() {
  if (!ShowPage(PageAfterCurrent())) return FALSE;
  SetBackEnabled(TRUE);
  return TRUE;
}

int CNewWizDialog::CurrentIndex() const { return IndexOfPage(CurrentPage()); }

int CNewWizDialog::IndexOfPage(const CNewWizPage* page) const {
  for (size_t i = 0; i < m_pages.size(); ++i)
    if (page && m_pages[i] == page) return static_cast<int>(i);
  return -1;
}

CNewWizPage* CNewWizDialog::PageAtIndex(int index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return m_pages[static_cast<size_t>(index)];
}

BOOL CNewWizDialog::ShowPageAtIndex(int index) {
  CNewWizPage* page = PageAtIndex(index);
  if (!page) return FALSE;
  ShowPage(page);
  return TRUE;
}

BOOL CNewWizDialog::ShowPageAtIndex(CNewWizPage* page) {
  ShowPage(page);
  return TRUE;
}

void CNewWizDialog::SetCaption(UINT stringId) { SetWindowText(AfxLoadString(stringId)); }

void CNewWizDialog::SetFinishCaption(const char* text) {
  if (CWnd* finish = GetDlgItem(IDC_WIZ_FINISH)) finish->SetWindowText(text);
}

void CNewWizDialog::SetFinishCaption(UINT stringId) { SetFinishCaption(AfxLoadString(stringId).c_str()); }

void CNewWizDialog::EnableButton(int id, BOOL enable) {
  HWND button = ::GetDlgItem(m_hWnd, id);
  ASSERT(button != nullptr);
  ::EnableWindow(button, enable);
}

void CNewWizDialog::SetBackEnabled(BOOL enable) { EnableButton(IDC_WIZ_BACK, enable); }

void CNewWizDialog::SetNextEnabled(BOOL enable) { EnableButton(IDC_WIZ_NEXT, enable); }

void CNewWizDialog::SetFinishEnabled(BOOL enable) { EnableButton(IDC_WIZ_FINISH, enable); }

BOOL CNewWizDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  ModifyStyleEx(0, WS_EX_CONTROLPARENT);
  ASSERT(m_nPlaceholderID != 0);
  StartWizard();
  return TRUE;
}

BOOL CNewWizDialog::OnCommand(UINT id, UINT code, HWND control) {
  if (code == BN_CLICKED) {
    switch (id) {
      case IDC_WIZ_BACK: OnWizardBack(); return TRUE;
      case IDC_WIZ_NEXT: OnWizardNext(); return TRUE;
      case IDC_WIZ_FINISH: OnWizardFinish(); return TRUE;
      default: break;
    }
  }
  return CDialog::OnCommand(id, code, control);
}

CNewWizPage* CNewWizDialog::Target(int r, int step) const {
  if (r == -1) return nullptr;
  if (r != 0) return PageByTemplate(static_cast<UINT>(r));
  return PageAtIndex(CurrentIndex() + step);
}

void CNewWizDialog::OnWizardBack() {
  CNewWizPage* current = CurrentPage();
  if (!current) return;
  CNewWizPage* target = Target(current->OnPageBack(), -1);
  if (!target || !ShowPage(target)) return;
  if (target == FirstPage()) {
    SetBackEnabled(FALSE);
    SetFinishEnabled(FALSE);
  }
  for (CNewWizPage* page : m_pages) page->OnFrameWentBack();
  SetNextEnabled(TRUE);
}

void CNewWizDialog::OnWizardNext() {
  CNewWizPage* current = CurrentPage();
  if (!current) return;
  CNewWizPage* target = Target(current->OnPageNext(), +1);
  if (!target || !ShowPage(target)) return;
  if (target == LastPage()) {
    SetNextEnabled(FALSE);
    SetFinishEnabled(TRUE);
  }
  SetBackEnabled(TRUE);
}

void CNewWizDialog::OnWizardFinish() {
  CNewWizPage* current = CurrentPage();
  if (current && !current->OnPageLeave()) return;
  for (CNewWizPage* page : m_pages)
    if (page->IsWindow() && !page->OnPageFinish()) return;
  UpdateData(TRUE);
  EndDialog(IDC_WIZ_FINISH);
}

void CNewWizDialog::OnOK() {}

void CNewWizDialog::OnCancel() {
  for (CNewWizPage* page : m_pages)
    if (page->IsWindow() && !page->OnPageQueryCancel()) return;
  CDialog::OnCancel();
}

void CNewWizDialog::OnDestroy() {
  for (CNewWizPage* page : m_pages) {
    BOOL closed = ClosePage(page);
    ASSERT(closed);
    (void)closed;
  }
  CDialog::OnDestroy();
}
