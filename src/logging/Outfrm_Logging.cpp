// The out-of-state window's contact logging: Mains, its checks and the duplicate rules, and the
// county box, which belongs to this window alone.
#include "app/App.h"
#include "common/Formats.h"
#include "common/KeyFilters.h"
#include "logging/Outfrm.h"
#include "platform/Colors.h"

#include <QCoreApplication>

namespace qf {

namespace {
bool same(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QString recordRef(const QSORecord& q, int row) {
    return q.Call + QStringLiteral("  ") + q.QSODate + QStringLiteral("  ") + q.QSOTime +
           QStringLiteral("   Rec# ") + QLatin1Char(' ') + QString::number(row);
}
}  // namespace

QString Outfrm::keyboardCwMessage() const {
    return QStringLiteral("Keyboard CW mode is ON!  Press F12 to exit.");
}

void Outfrm::clearRow() {
    for (TextBox* box : {txtRSTS, txtCntry, txtCall, txtRSTR, txtSec}) box->setText(QString());
    for (Label* l : {Label19, Label22, Label23}) l->setCaption(QString());
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

    bool notWritten = false;
    if (flags.DupeFlag == 0 && flags.MissingFieldFlag == 0 && flags.BadSectionFlag == 0 &&
        flags.BadCountyFlag == 0) {
        QSOLog& log = app_.log();
        const StationSettings& st = app_.station();
        QSORecord q;
        q.Call = txtCall->Text();
        q.NameSent = st.OwnName;
        q.NameRcvd = txtRSTR->Text();
        q.CountyRcvd = txtSec->Text();
        if (txtPostConTime->Visible()) {
            q.QSODate = txtPostConDate->Text();
            q.QSOTime = txtPostConTime->Text();
        } else {
            const QDateTime utc = addUtcOffset(platform().clock.localNow(), st.UTCOffsetHours);
            q.QSODate = utc.date().toString(QStringLiteral("yyyy/MM/dd"));
            q.QSOTime = utc.time().toString(QStringLiteral("HH:mm:ss"));
        }
        q.Mode = st.CurrentMode;
        q.Band = st.CurrentBand;
        q.Frequency = run.FrequencyToLog;
        log[++log.QSOCount] = q;
        setStatusColor(kTeal);
        lblDialog->setCaption(QString());
        lblDupe->setBackColor(kButtonFace);
        lblDupe->setCaption(QString());
        Tallies& t = app_.tallies();
        t.QSOPoints += 2;
        if (same(st.CurrentMode, QStringLiteral("PH"))) {
            ++t.PHQSOCount;
        } else if (same(st.CurrentMode, QStringLiteral("CW"))) {
            ++t.CWQSOCount;
        } else {
            ++t.DGQSOCount;
        }
        notWritten = !app_.logStore().AppendRecord();
        FillLogList();
        AddWorkedCounty();
        MarkWorked();
        QCoreApplication::processEvents();
        UpdateScore();
        run.HandOverTarget = 0;
        if (notWritten) {
            // Never shown as safely logged: the row stays on screen, and the store has said why.
            status(QStringLiteral("Kept in memory only: log.txt could not be written!"));
        }
    }
    if (flags.MissingFieldFlag == 0 && flags.BadSectionFlag == 0 && flags.BadCountyFlag == 0 &&
        !notWritten) {
        clearRow();
        txtCall->SetFocus();
    }
    QCoreApplication::processEvents();
    lblDupe->setBackColor(kButtonFace);
    lblDupe->setCaption(QString());
    UpdateRates();
    run.FrequencyToLog.clear();
}

void Outfrm::CheckRequiredFields() {
    auto& flags = app_.run().EntryCheckFlags;
    flags.MissingFieldFlag = 0;
    if (txtSec->Text().isEmpty()) {
        status(QStringLiteral("Need County!"));
        flags.MissingFieldFlag = 1;
        txtSec->SetFocus();
    }
    if (txtRSTR->Text().isEmpty()) {
        status(QStringLiteral("Need Name!"));
        flags.MissingFieldFlag = 1;
        txtRSTR->SetFocus();
    }
    if (txtCall->Text().size() < 3) {
        status(QStringLiteral("Need Call Sign!"));
        flags.MissingFieldFlag = 1;
        txtCall->SetFocus();
    }
}

void Outfrm::CheckCounty() {
    auto& flags = app_.run().EntryCheckFlags;
    flags.BadCountyFlag = 1;
    const CountyTable& counties = app_.tables().counties;
    for (int j = 1; j <= counties.CountyCount; ++j) {
        if (same(counties[j].CountyAbbrev, txtSec->Text())) {
            flags.BadCountyFlag = 0;
            return;
        }
    }
    status(txtSec->Text() + QStringLiteral(" is not a valid county!"));
    txtSec->SetFocus();
}

void Outfrm::DupCheck() {
    RunState& run = app_.run();
    run.EntryCheckFlags.DupeFlag = 0;
    const QSOLog& log = app_.log();
    const StationSettings& st = app_.station();
    int dupe = 0;
    for (int r = 1; r <= log.QSOCount; ++r) {
        const QSORecord& q = log[r];
        if (same(q.Call, txtCall->Text()) && txtSec->Text().isEmpty()) {
            txtSec->setText(q.CountyRcvd);
            txtSec->setSelLength(txtSec->Text().size());
        }
        if (same(q.Call, txtCall->Text()) && same(q.Band, st.CurrentBand) &&
            same(q.Mode, st.CurrentMode) && same(q.CountyRcvd, txtSec->Text())) {
            dupe = r;
            break;
        }
    }
    if (dupe > 0) {
        lblDialog->setCaption(QStringLiteral("Duplicate ") + recordRef(log[dupe], dupe));
        setStatusColor(kRed);
        lblDupe->setBackColor(kButtonFace);
        lblDupe->setCaption(QString());
        platform().beeper.beep();
        // The spoken "Dupe" plays here once voice navigation exists.
        run.EntryCheckFlags.DupeFlag = 1;
        run.LastDupeTime = platform().clock.localNow();
    }
    if (run.EntryCheckFlags.DupeFlag == 1) {
        txtCall->SetFocus();
        clearRow();
    }
}

void Outfrm::DupCheck2() {
    const bool listPrevious = mnuListPrevious->Checked();
    if (listPrevious) ListView1->clearRows();
    const QSOLog& log = app_.log();
    const StationSettings& st = app_.station();
    for (int r = 1; r <= log.QSOCount; ++r) {
        const QSORecord& q = log[r];
        if (!same(q.Call, txtCall->Text())) continue;
        if (listPrevious) ListView1->addRow(logListRow(r));
        if (txtSec->Text().isEmpty()) {
            txtSec->setText(q.CountyRcvd);
            txtSec->setSelLength(txtSec->Text().size());
        }
        if (txtRSTR->Text().isEmpty()) {
            txtRSTR->setText(q.NameRcvd);
            txtRSTR->setSelLength(txtRSTR->Text().size());
        }
        if (same(q.Band, st.CurrentBand) && same(q.Mode, st.CurrentMode)) {
            lblDialog->setCaption(QStringLiteral("Duplicate Unless Rover!  ") + recordRef(q, r));
            setStatusColor(kRed);
            lblDupe->setBackColor(kButtonFace);
            platform().beeper.beep();
            if (!listPrevious) return;
        }
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
