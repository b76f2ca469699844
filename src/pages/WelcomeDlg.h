// The first page: a side picture and four lines that greet the user (template 138).
#pragma once

#include "wizard/NewWizPage.h"

class CWelcomeDlg : public CNewWizPage {
 public:
  CWelcomeDlg();

 protected:
  BOOL OnInitDialog() override;
};
