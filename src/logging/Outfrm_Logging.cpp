// The out-of-state window's contact logging: Mains, its checks and the duplicate rules, and the
// county box, which belongs to this window alone.
#include "app/App.h"
#include "common/Formats.h"
#include "common/KeyFilters.h"
#include "logging/ContactRules.h"
#include "logging/Outfrm.h"

#include <QCoreApplication>

namespace qf {

namespace {
constexpr quint32 kRed = 255, kButtonFace = 0x8000000F;
}  // namespace

QString Outfrm::keyboardCwMessage() const {
    return QStringLiteral("Keyboard CW mode is ON!  Press F12 to exit.");
}

void Outfrm::Mains() {
    RunState& run = app_.run();
    auto& flags = run.EntryCheckFlags;
    if (run.LoggedOn == 0) cmdLogOn_Click();
    if (!CheckPostContest()) return;
    if (RefuseUnstorable()) return;
    CheckRequiredFields();
    QString county = txtSec->Text();
    const QString abbrev = CountyAbbreviation(app_.tables().counties, county);
    if (!abbrev.isEmpty()) txtSec->setText(abbrev);
    CheckCounty();
    DupCheck();

    bool written = true;
    if (flags.DupeFlag == 0 && flags.MissingFieldFlag == 0 && flags.BadSectionFlag == 0 &&
        flags.BadCountyFlag == 0) {
        const StationSettings& st = app_.station();
        QSORecord q;
        q.Call = txtCall->Text();
        q.NameSent = st.OwnName;
        q.NameRcvd = txtRSTR->Text();
        q.CountyRcvd = txtSec->Text();
        stampContact(q);
        q.Mode = st.CurrentMode;
        q.Band = st.CurrentBand;
        q.Frequency = run.FrequencyToLog;
        written = storeContact(q, {}, [this] {
            AddWorkedCounty();
            MarkWorked();
        });
    }
    finishAttempt(written);
}

void Outfrm::DupCheck2() {
    const bool listPrevious = mnuListPrevious->Checked();
    if (listPrevious) ListView1->clearRows();
    const QSOLog& log = app_.log();
    const StationSettings& st = app_.station();
    const EarlierContacts e =
        ScanEarlierContacts(logIndex(), log, entryTexts(), st.CurrentBand, st.CurrentMode, listPrevious);
    if (listPrevious) {
        for (int r : e.rows) ListView1->addRow(logListRow(r));
    }
    if (!e.rows.empty() && txtSec->Text().isEmpty()) {
        txtSec->setText(e.boxes.county);
        txtSec->setSelLength(txtSec->Text().size());
    }
    if (!e.rows.empty() && txtRSTR->Text().isEmpty()) {
        txtRSTR->setText(e.boxes.name);
        txtRSTR->setSelLength(txtRSTR->Text().size());
    }
    for (int r : e.warnings) {
        lblDialog->setCaption(RoverWarningText(log[r], r, Exchange::OutOfState));
        setStatusColor(kRed);
        lblDupe->setBackColor(kButtonFace);
        platform().beeper.beep();
    }
}

void Outfrm::txtCall_LostFocus() {
    if (!txtCall->Text().isEmpty()) DupCheck2();
}

void Outfrm::txtSec_KeyPress(int& KeyAscii) { countyBoxKeyPress(KeyAscii); }

// The county box of both windows: a quote is refused; a digit is the RST sent and moves on like
// a Space; Enter logs; Space moves to the call box; the rest goes through the type-ahead.
void LoggingWindow::countyBoxKeyPress(int& KeyAscii) {
    RunState& run = app_.run();
    if (KeyAscii == '"') {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii >= '0' && KeyAscii <= '9' && run.HandOverTarget != 4) {
        run.HandOverKey = QString::number(KeyAscii);
        run.HandOverTarget = 1;
        int handed = KeyAscii;
        txtRSTS_KeyPress(handed);
        KeyAscii = 32;
    }
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    // The in-state box moves on only from the end of its text.
    if (KeyAscii == 32 && (kind() == Kind::OutOfState || txtSec->SelStart() == txtSec->Text().size())) {
        KeyAscii = 0;
        txtCall->SetFocus();
        return;
    }
    countyTypeAhead(KeyAscii);
}

void LoggingWindow::countyTypeAhead(int& KeyAscii) {
    if (KeyAscii != 0 && txtSec->SelStart() == 0) txtSec->setText(QString());
    UpperCaseKey(KeyAscii);
    if (KeyAscii == 0) return;
    const QString typed = txtSec->Text().left(txtSec->SelStart()) + QChar(KeyAscii);
    const CountyTable& counties = app_.tables().counties;
    for (int j = 1; j <= counties.CountyCount; ++j) {
        const QString& abbrev = counties[j].CountyAbbrev;
        if (abbrev.startsWith(typed, Qt::CaseInsensitive)) {
            txtSec->setText(typed + abbrev.mid(typed.size()));
            txtSec->setSelStart(static_cast<int>(typed.size()));
            txtSec->setSelLength(static_cast<int>(abbrev.size() - typed.size()));
            KeyAscii = 0;
            app_.run().HandOverTarget = 0;
            return;
        }
    }
}

void Outfrm::Form_MouseMove(int, int, double, double) { lblDupe->setCaption(QString()); }

}  // namespace qf
