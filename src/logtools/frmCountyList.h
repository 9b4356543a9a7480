// The county list ("County List"): every row of the county table, abbreviation and name, in
// table order. A click on a row puts its abbreviation into the running logging window's county
// box and hides the list, which ends the opener's modal call.
#pragma once

#include "platform/Form.h"
#include "platform/ListView.h"

namespace qf {

class App;

class frmCountyList : public Form {
    Q_OBJECT
  public:
    explicit frmCountyList(App& app);

    ListView* ListView1;

    void Form_Load() override;
    void ListView1_Click();

  private:
    App& app_;
};

}  // namespace qf
