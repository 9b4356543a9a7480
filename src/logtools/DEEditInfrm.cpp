#include "logtools/DEEditInfrm.h"

#include "app/App.h"
#include "app/Forms.h"

namespace qf {

namespace {
using F = EditField;
using K = EditKeys;
using C = LeaveCheck;
}  // namespace

DEEditInfrm::DEEditInfrm(App& app)
    : EditContactDialog(
          app, QStringLiteral("DEEditInfrm"), Exchange::InState,
          {
              {F::Call, "Callsign", "txtEditCall", "Label1", K::Letters, C::None},
              {F::NameRcvd, "Name Rcv", "txtEditCk", nullptr, K::Letters, C::None},
              {F::CountyRcvd, "County", "txtEditSec", "Label7", K::County, C::CountyOrEmpty},
              {F::NameSent, "Name Snt", "txtEditNum", nullptr, K::Letters, C::None},
              {F::SPC, "SPC", "txtEditPre", "Label2", K::State, C::None},
              {F::Date, "Date", "txtEditDate", nullptr, K::Date, C::Date},
              {F::Time, "Time", "txtEditTime", nullptr, K::Time, C::Time},
              {F::Mode, "Mode", "txtEditBnd", "Label3", K::Letters, C::Mode},
              {F::Band, "Band", "Text1", "Label6", K::Letters, C::Band},
              {F::CountySent, "County Sent", "Text3", "Label9", K::CountySent, C::County},
          },
          3450, 4950) {
    txtEditSec = box(F::CountyRcvd);
    Text3 = box(F::CountySent);
    Label7 = mark(F::CountyRcvd);
    Label9 = mark(F::CountySent);
}

LoggingWindow& DEEditInfrm::owner() {
    return app_.forms().Infrm();
}

}  // namespace qf
