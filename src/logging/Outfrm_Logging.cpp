// The out-of-state window's contact logging: Mains, its checks and the duplicate rules, and its
// share of the county box.
#include "app/App.h"
#include "common/Formats.h"
#include "logging/ContactRules.h"
#include "logging/Outfrm.h"
#include "platform/Colors.h"

#include <QCoreApplication>

namespace qf {

namespace {
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

void Outfrm::Form_MouseMove(int, int, double, double) { lblDupe->setCaption(QString()); }

}  // namespace qf
