// The out-of-state window's edit dialog: eight fields of a contact; the county is required, and
// the call, the names and the county are stored without blanks around them.
#pragma once

#include "logtools/EditContactDialog.h"

namespace qf {

class DEEditOut : public EditContactDialog {
    Q_OBJECT
  public:
    explicit DEEditOut(App& app);

    // A further box with two labels, designed in and never shown, filled or read.
    TextBox* txtUnused;
    Label *lblUnused1, *lblUnused2;

  protected:
    LoggingWindow& owner() override;
};

}  // namespace qf
