#pragma once
// The About box: program icon, program line and the maker's web address.
#include "ui/win32/dialog.h"

namespace tarnik {

class CAboutDlg : public ui::Dialog {
  public:
    CAboutDlg();

  protected:
    BOOL OnInitDialog() override;
};

}  // namespace tarnik
