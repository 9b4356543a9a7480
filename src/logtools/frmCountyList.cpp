#include "logtools/frmCountyList.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/ScreenScaling.h"
#include "logging/LoggingWindow.h"

namespace qf {

frmCountyList::frmCountyList(App& app)
    : Form(app.platform(), QStringLiteral("frmCountyList"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral("County List"));
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    // The design size is the client area; the outer size adds the frame.
    Move(0, 0, 3150 + 2 * kBorderTwips, 6105 + 2 * kBorderTwips + kCaptionTwips);
    ListView1 = add<ListView>(QStringLiteral("ListView1"));
    ListView1->Move(120, 120, 2915, 5895);
    ListView1->Click = [this] { ListView1_Click(); };
}

void frmCountyList::Form_Load() {
    // Centred across, its top at one sixth of the height the window leaves free.
    ScaleWindow(*this, platform().screen, platform().dialogs);
    const double columnWidth = platform().screen.sizeTwips().width() / 9600 * 1300;
    ListView1->addColumn(QStringLiteral("Abbreviation"), columnWidth);
    ListView1->addColumn(QStringLiteral("County"), columnWidth);
    const CountyTable& table = app_.tables().counties;
    for (int k = 1; k <= table.CountyCount; ++k) {
        ListView1->addRow({table[k].CountyAbbrev, table[k].CountyName});
    }
}

void frmCountyList::ListView1_Click() {
    const int row = ListView1->selectedRow();
    // An empty list has no row to take an abbreviation from.
    if (row == 0) return;
    const QString abbrev = ListView1->text(row, 0);
    Forms& forms = app_.forms();
    LoggingWindow& w = app_.station().OutOfStateFlag != 0
                           ? static_cast<LoggingWindow&>(forms.Outfrm())
                           : static_cast<LoggingWindow&>(forms.Infrm());
    w.txtSec->setText(abbrev);
    Hide();
}

}  // namespace qf
