// The in-state window's contact logging: Mains in its fixed order of checks, the section check,
// the look back when the call box is left, the lock-out after a duplicate, the rover's further
// counties, and what a stored contact adds to the states grid and the DX lists.
#include "app/App.h"
#include "logging/ContactRules.h"
#include "logging/CountryLookup.h"
#include "logging/Infrm.h"
#include "logging/LogIndex.h"
#include "logging/LogTallies.h"
#include "platform/Colors.h"
#include "platform/Error.h"

#include <QCoreApplication>

namespace qf {

namespace {
constexpr int kLockoutPollMs = 10;
constexpr qint64 kLockoutMs = 3000;

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
}  // namespace

void Infrm::Mains() {
    RunState& run = app_.run();
    auto& flags = run.EntryCheckFlags;
    StationSettings& st = app_.station();
    if (!CheckPostContest()) return;
    // Only contacts with the contest state carry a county.
    if (!same(txtCntry->Text(), st.ContestState)) txtSec->setText(QString());
    if (run.LoggedOn == 0) cmdLogOn_Click();
    if (RefuseUnstorable()) return;
    CheckRequiredFields();
    flags.BadSectionFlag = 0;
    if (txtCntry->Text().size() == 2) CheckSection();
    QString county = txtSec->Text();
    const QString abbrev = CountyAbbreviation(app_.tables().counties, county);
    if (!abbrev.isEmpty()) txtSec->setText(abbrev);
    DupCheck();
    flags.BadCountyFlag = 0;
    if (!txtSec->Text().isEmpty()) CheckCounty();

    bool written = true;
    bool stored = false;
    if (flags.DupeFlag == 0 && flags.MissingFieldFlag == 0 && flags.BadSectionFlag == 0 &&
        flags.BadCountyFlag == 0) {
        QSORecord q;
        q.NameSent = st.OwnName;
        q.SPC = txtCntry->Text();
        q.Call = txtCall->Text();
        q.NameRcvd = txtRSTR->Text();
        q.CountyRcvd = txtSec->Text();
        stampContact(q);
        q.Mode = st.CurrentMode;
        q.Band = st.CurrentBand;
        q.CountySent = st.OwnCounty;
        q.Frequency = run.FrequencyToLog;
        stored = true;
        written = storeContact(
            q,
            [this, &q] {
                if (!q.CountyRcvd.isEmpty()) AddWorkedCounty();
            },
            [this, &q] {
                if (q.SPC.size() > 2 && Label3->Visible()) AddNewDXCountry();
                if (q.SPC.size() == 2) MarkWorked();
            });
    }
    finishAttempt(written);

    // Only a contact stored now is copied for the further counties: after a refused entry the
    // recall would fetch an older contact and log it again from counties it was never worked from.
    if (stored && st.RoverFlag == 1 && RoverLogIndex == 0 && roverCounties_ != nullptr) {
        int entries = 0;
        try {
            entries = roverCounties_->count();
        } catch (const Error&) {
        }
        if (entries > 1) LogRoverCounties();
    }
}

void Infrm::clearRow() {
    LoggingWindow::clearRow();
    lblStation.at(4)->setEnabled(false);
}

void Infrm::CheckSection() {
    auto& flags = app_.run().EntryCheckFlags;
    flags.BadSectionFlag = 1;
    try {
        if (IsKnownSection(app_.spc(), txtCntry->Text())) {
            flags.BadSectionFlag = 0;
            if (Label19->Caption().isEmpty()) Label19->setCaption(QStringLiteral("NA"));
        }
    } catch (const Error&) {
        return;
    }
    if (flags.BadSectionFlag == 1) {
        status(QStringLiteral("Invald Section!"));
        txtCntry->SetFocus();
    }
}

void Infrm::txtCall_LostFocus() {
    if (!txtCall->Text().isEmpty()) DupCheck2();
    // A Canadian call names its province, unless the box already holds something.
    if (!txtCntry->Text().isEmpty()) return;
    const QString province = CanadianProvince(txtCall->Text());
    if (province.isEmpty()) return;
    txtCntry->setText(province);
    txtCntry->setSelLength(static_cast<int>(province.size()));
}

void Infrm::DupCheck2() {
    RunState& run = app_.run();
    const StationSettings& st = app_.station();
    const QSOLog& log = app_.log();
    run.EntryCheckFlags.DupeFlag = 0;
    const bool listPrevious = mnuListPrevious->Checked();
    if (listPrevious) ListView1->clearRows();
    const FillRule rule{true, true, std::nullopt};
    // Only the contacts with the call can fill a box, repeat the contact or warn.
    const std::vector<int> rows = logIndex().rowsWithCall(txtCall->Text());
    for (int r : rows) {
        const QSORecord& q = log[r];
        const bool sameStation = same(q.Call, txtCall->Text());
        if (sameStation) {
            if (listPrevious) ListView1->addRow(logListRow(r));
            EntryTexts boxes = entryTexts();
            const Filled f = FillFromEarlier(boxes, q, rule);
            const auto fill = [](bool filled, TextBox* box, const QString& text) {
                if (!filled || text.isEmpty()) return;  // an empty value leaves the box as it is
                box->setText(text);
                box->setSelLength(box->Text().size());
            };
            fill(f.county, txtSec, boxes.county);
            fill(f.spc, txtCntry, boxes.spc);
            fill(f.name, txtRSTR, boxes.name);
            // A station outside the contest state gets no rover exception: checked in full now.
            if (!same(q.SPC, st.ContestState) && same(q.Band, st.CurrentBand) &&
                same(q.Mode, st.CurrentMode) && same(q.CountySent, st.OwnCounty)) {
                DupCheck();
            }
        }
        if (run.EntryCheckFlags.DupeFlag == 1) return;
        if (sameStation && same(q.Band, st.CurrentBand) && same(q.Mode, st.CurrentMode) &&
            same(q.CountySent, st.OwnCounty)) {
            const QString text = RoverWarningText(q, r, Exchange::InState);
            if (!text.isEmpty()) lblDialog->setCaption(text);
            setStatusColor(kRed);
            lblDupe->setBackColor(kButtonFace);
            lblDupe->setCaption(QString());
            platform().beeper.beep();
            if (!listPrevious) return;
        }
    }
}

void Infrm::callBoxKeyDone() {
    if (app_.run().EntryCheckFlags.DupeFlag == 1) DupeLockout();
}

void Infrm::DupeLockout() {
    RunState& run = app_.run();
    Clock& clock = platform().clock;
    const QDateTime deadline = run.LastDupeTime.addSecs(3);
    const auto wholeSeconds = [&clock] {
        const QDateTime now = clock.localNow();
        return now.addMSecs(-now.time().msec());
    };
    // No events run meanwhile: keys and timer ticks wait until it ends. The tick count bounds the
    // wait should the wall clock be set back during it.
    const qint64 start = clock.tickMs();
    while (wholeSeconds() < deadline && clock.tickMs() - start < kLockoutMs) {
        clock.sleepMs(kLockoutPollMs);
    }
    run.EntryCheckFlags.DupeFlag = 0;
}

void Infrm::LogRoverCounties() {
    StationSettings& st = app_.station();
    const RoverCountyList& list = *roverCounties_;
    try {
        const int entries = list.count();
        for (int p = 0; p < entries; ++p) {
            RoverLogIndex = static_cast<quint8>(p);
            if (p == 0) continue;
            st.OwnCounty = list.entry(p);
            Label25->setCaption(st.OwnCounty);
            mnuRecall_Click();
            // The call box's leave handler runs among these events and fills the emptied boxes.
            SendTab();
            letPendingEventsRun();
            // The recall's and the Tab's focus moves queue one another's handlers; all of them
            // run now, the call box's leave handler among them, or that handler would run while
            // this county's copy is being stored and take the copy for a duplicate of itself.
            Control::runPendingFocusHandlers();
            if (app_.run().EntryCheckFlags.DupeFlag == 0) Mains();
        }
    } catch (const Error&) {
        platform().beeper.beep();
    }
    // Also after a failing pass: the own county never stays on a further county of the line.
    try {
        st.OwnCounty = list.entry(0);
        Label25->setCaption(st.OwnCounty);
    } catch (const Error&) {
    }
    RoverLogIndex = 0;
}

void Infrm::MarkWorked() {
    const QSOLog& log = app_.log();
    Tallies& t = app_.tallies();
    const int row =
        MarkStateWorked(t, app_.spc(), log[log.QSOCount].SPC, app_.station().ContestState);
    if (row > 0) {
        ++t.MultiplierCount;
        Label10[static_cast<size_t>(row)]->setForeColor(
            static_cast<quint32>(app_.station().WorkedColor));
    }
    LoggingWindow::MarkWorked();
}

void Infrm::AddNewDXCountry() {
    const QString country = std::as_const(app_.log())[app_.log().QSOCount].SPC;
    AddDXCountry(app_.tallies(), app_.station().CurrentBand, country);
    if (List1->find(country) < 0) {
        List1->AddItem(country);
        lblStation.at(5)->setCaption(QStringLiteral("DX All - ") +
                                     QString::number(List1->ListCount()));
    }
}

}  // namespace qf
