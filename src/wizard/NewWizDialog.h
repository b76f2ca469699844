// The wizard frame: a modal dialog that shows one of its pages at a time at the top-left corner of
// a placeholder control and drives them with Back (12323), Next (12324), Finish (12325) and Cancel
// (IDCANCEL). It creates and destroys the page windows; the page objects belong to the caller and
// must outlive the frame's window. The modal run ends with 12325 (Finish) or IDCANCEL (Cancel).
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Dialog.h"
#include "wizard/NewWizPage.h"

class CNewWizDialog : public CDialog {
 public:

  explicit CNewWizDialog(UINT templateId, CWnd* parent = nullptr);

  // Appends `page` (not owned) at the end and stores `templateId` as its template id.
  void AppendPage(CNewWizPage* page, UINT templateId);
  // The control whose top-left corner positions the pages; set before the window initialises.
  void SetPlaceholder(int id) { m_nPlaceholderID = id; }

  // Makes `page` current: creates its window on first showing, hides the current page, places,
  // enables and shows the page. FALSE (and the old page stays current) when the window cannot be
  // made, OnPageCreated refuses or the current page refuses to leave.
  BOOL ShowPage(CNewWizPage* page);
  // TRUE when no page is current or the current one agreed to leave and is hidden.
  BOOL HideCurrentPage();
  // Destroys a created page's window if it agrees to leave; TRUE also when it has none.
  BOOL ClosePage(CNewWizPage* page);

  CNewWizPage* CurrentPage() const;
  CNewWizPage* FirstPage() const;
  CNewWizPage* LastPage() const;
  CNewWizPage* PageAfterCurrent() const;  // nullptr after the last page or without a current one
  CNewWizPage* PageByTemplate(UINT templateId) const;  // the first with that id, or nullptr

  // The initial button states, then the first page.
  BOOL StartWizard();
  void SetBackEnabled(BOOL enable);
  void SetNextEnabled(BOOL enable);
  void SetFinishEnabled(BOOL enable);

  // Hides the current page and shows the one with `templateId`; FALSE when there is none or the
  // showing failed.
  BOOL ShowPageByTemplate(UINT templateId);
  // Shows the page after the current one and enables Back when that worked.
  BOOL AdvanceOnePage();
  int CurrentIndex() const;                  // -1 without a current page
  int IndexOfPage(const CNewWizPage* page) const;  // -1 when not in the list
  int PageCount() const { return static_cast<int>(m_pages.size()); }
  CNewWizPage* PageAtIndex(int index) const;  // nullptr out of range
  // FALSE when there is no page at `index`; otherwise shows it and returns TRUE, whatever
  // ShowPage answered.
  BOOL ShowPageAtIndex(int index);
  BOOL ShowPageAtIndex(CNewWizPage* page);
  // The frame's title, and the label of the Finish button (when there is one), as text or as a
  // string-table id.
  void SetCaption(const char* text) { SetWindowText(text); }
  void SetCaption(UINT stringId);
  void SetFinishCaption(const char* text);
  void SetFinishCaption(UINT stringId);

  std::vector<CNewWizPage*> m_pages;
  int m_nPlaceholderID = 0;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(UINT id, UINT code, HWND control) override;
  void OnOK() override;      // Enter does not end the wizard
  void OnCancel() override;  // ends with IDCANCEL unless a created page vetoes
  void OnDestroy() override;

 private:
  void OnWizardBack();
  void OnWizardNext();
  void OnWizardFinish();
  // The target of a Back or Next answer `r` of the current page: the neighbour `step` away in list
  // order for 0, the page with template id r otherwise; nullptr for none (or for -1).
  CNewWizPage* Target(int r, int step) const;
  void EnableButton(int id, BOOL enable);
};
