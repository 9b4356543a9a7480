#include "logtools/DEEditOut.h"

#include "app/App.h"
#include "app/Forms.h"

namespace qf {

namespace {
using F = EditField;
using K = EditKeys;
using C = LeaveCheck;
}  // namespace

DEEditOut::DEEditOut(App& app)
    : EditContactDialog(app, QStringLiteral("DEEditOut"), Exchange::OutOfState,
                        {
                            {F::Call, "Callsign", "txtEditCall", "Label1", K::Letters, C::None},
                            {F::NameRcvd, "Name Rec", "txtEditCk", nullptr, K::Letters, C::None},
                            {F::CountyRcvd, "County", "txtEditPre", "Label2", K::County, C::County},
                            {F::NameSent, "Name Snt", "txtEditNum", nullptr, K::Letters, C::None},
                            {F::Date, "Date", "txtEditDate", nullptr, K::Date, C::Date},
                            {F::Time, "Time", "txtEditTime", nullptr, K::Time, C::Time},
                            {F::Mode, "Mode", "txtEditBnd", "Label3", K::Letters, C::Mode},
                            {F::Band, "Band", "Text1", "Label6", K::Letters, C::Band},
                        },
                        3255, 4500) {
    lblUnused1 = add<Label>(QStringLiteral("lblUnused1"));
    lblUnused2 = add<Label>(QStringLiteral("lblUnused2"));
    txtUnused = add<TextBox>(QStringLiteral("txtUnused"));
    for (Label* l : {lblUnused1, lblUnused2}) {
        l->Move(120, 4080, 600, 255);
        l->setVisible(false);
    }
    txtUnused->Move(780, 4080, 615, 315);
    txtUnused->setVisible(false);
}

LoggingWindow& DEEditOut::owner() {
    return app_.forms().Outfrm();
}

}  // namespace qf
