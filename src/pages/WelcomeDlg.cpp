#include "pages/WelcomeDlg.h"

#include "i18n/DialogStrings.h"
#include "shared/resource.h"

CWelcomeDlg::CWelcomeDlg() : CNewWizPage(IDD_WELCOME) {}

BOOL CWelcomeDlg::OnInitDialog() {
  CNewWizPage::OnInitDialog();
  g_SetDialogStrings(this, IDD_WELCOME);
  return TRUE;
}
