// The in-state window's edit dialog: ten fields of a contact, the St/Prv/Country box with its
// country type-ahead and two-letter code check, and the county sent, which keeps mixed case.
#pragma once

#include "logtools/EditContactDialog.h"

namespace qf {

class DEEditInfrm : public EditContactDialog {
    Q_OBJECT
  public:
    explicit DEEditInfrm(App& app);

    TextBox *txtEditSec, *Text3;  // county received, county sent
    Label *Label7, *Label9;       // their marks

  protected:
    LoggingWindow& owner() override;
};

}  // namespace qf
