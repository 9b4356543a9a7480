// The logging window's tallies, score, rates and clocks, and the log list.
#include "app/App.h"
#include "app/Forms.h"
#include "common/Formats.h"
#include "logging/LogIndex.h"
#include "logging/LogTallies.h"
#include "logging/LoggingWindow.h"
#include "logging/StoreMessages.h"
#include "platform/Error.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <vector>

namespace qf {

void LoggingWindow::LoadLogAndRefresh() {
    StoreWithMessages(app_.logStore(), platform()).LoadLog();
    logChanged();
    // The steps of the rebuild read one pass over the log, taken here once.
    summary_.reset();
    rebuilding_ = true;
    struct Drop {
        LoggingWindow& w;
        ~Drop() {
            w.summary_.reset();
            w.rebuilding_ = false;
        }
    } drop{*this};
    try {
        countModes();
        rebuildAfterLoad();
    } catch (const Error&) {
        endAfterRebuildFailure(rebuildFailureText());
    }
}

const LogSummary& LoggingWindow::summary() {
    // Outside the rebuild the log may have changed since: taken afresh.
    if (!summary_ || !rebuilding_) {
        const bool inState = kind_ == Kind::InState;
        summary_ = std::make_unique<LogSummary>(
            logIndex().summarize(app_.log(), app_.tables().counties, inState ? &app_.spc() : nullptr,
                                 app_.station().ContestState));
    }
    return *summary_;
}

void LoggingWindow::endAfterRebuildFailure(const QString& text) {
    // The running operating time is banked before the program ends, so it is not lost.
    RunState& run = app_.run();
    if (run.LoggedOn == 1) {
        app_.station().AccumulatedOperatingSeconds = run.OperatingSeconds;
        WriteQSOPref(app_.station(), platform().files);
        run.LoggedOn = 0;
    }
    platform().dialogs.ok(text, QStringLiteral("File Error"));
    platform().ending.endNow(1);
}

void LoggingWindow::countModes() {
    // CountModes' counts (LogTallies.h), from the pass over the log.
    const LogSummary& s = summary();
    Tallies& t = app_.tallies();
    t.CWQSOCount = s.cw;
    t.PHQSOCount = s.ph;
    t.DGQSOCount = s.dg;
    t.QSOPoints += 2 * s.contacts;
}

void LoggingWindow::recountMultipliers() {
    // RecountMultipliers' flags and count (LogTallies.h), from the pass over the log.
    Tallies& t = app_.tallies();
    SizeWorkedFlags(t, app_.tables().counties);
    for (int j : summary().countyRows) t.WorkedFlags[static_cast<size_t>(j)][3] = 1;
    int n = 0;
    for (size_t row = 1; row < t.WorkedFlags.size(); ++row) {
        for (size_t c = 1; c <= 3; ++c) n += t.WorkedFlags[row][c];
    }
    t.MultiplierCount = n;
}

void LoggingWindow::UpdateScore() {
    const Tallies& t = app_.tallies();
    lblTotCon->setCaption(formatCount(t.PHQSOCount));
    lblsectogo->setCaption(formatCount(t.CWQSOCount + t.DGQSOCount));
    lblTotSec->setCaption(formatCount(t.MultiplierCount));
    lblTotScore->setCaption(formatScore(static_cast<double>(t.QSOPoints) * t.MultiplierCount));
}

void LoggingWindow::UpdateRates() {
    try {
        QDateTime now = addUtcOffset(platform().clock.localNow(), app_.station().UTCOffsetHours);
        now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
        // A record whose date or time does not read leaves both rates as they were.
        const auto r = logIndex().rates(now);
        if (!r) return;
        lblAQSO60->setCaption(QString::number(r->last60));
        lblAQSO20->setCaption(QString::number(3 * r->last20));
    } catch (const Error&) {
    }
}

void LoggingWindow::FillCountyLists() {
    const LogSummary& lists = summary();
    ListBox* toGo = toGoList();
    toGo->Clear();
    for (const QString& c : lists.toGo) toGo->AddItem(c);
    List2->Clear();
    for (const QString& c : lists.worked) List2->AddItem(c);
    lblStation.at(workedCaptionIndex())->setCaption(workedCaption() + QString::number(List2->ListCount()));
    lblStation.at(toGoCaptionIndex())->setCaption(toGoCaption() + QString::number(toGo->ListCount()));
}

void LoggingWindow::AddWorkedCounty() {
    const QString county = std::as_const(app_.log())[app_.log().QSOCount].CountyRcvd;
    if (List2->find(county) < 0) List2->AddItem(county);
    ListBox* toGo = toGoList();
    const int i = toGo->find(county);
    if (i >= 0) toGo->RemoveItem(i);
    lblStation.at(workedCaptionIndex())->setCaption(workedCaption() + QString::number(List2->ListCount()));
    lblStation.at(toGoCaptionIndex())->setCaption(toGoCaption() + QString::number(toGo->ListCount()));
}

void LoggingWindow::MarkWorked() {
    Tallies& t = app_.tallies();
    const CountyTable& counties = app_.tables().counties;
    SizeWorkedFlags(t, counties);
    const int j = CountyRow(counties, std::as_const(app_.log())[app_.log().QSOCount].CountyRcvd);
    if (j > 0 && t.WorkedFlags[static_cast<size_t>(j)][3] == 0) {
        t.WorkedFlags[static_cast<size_t>(j)][3] = 1;
        ++t.MultiplierCount;
    }
}

void LoggingWindow::ShowOperatingTime() {
    RunState& run = app_.run();
    run.OperatingSeconds = app_.station().AccumulatedOperatingSeconds;
    lblttrack->setCaption(operatingTimeText(run.OperatingSeconds));
}

void LoggingWindow::Timer1_Timer() { UpdateRates(); }

void LoggingWindow::Timer2_Timer() {
    const QDateTime local = platform().clock.localNow();
    lblutctime->setCaption(clockText(addUtcOffset(local, app_.station().UTCOffsetHours).time()));
    lblCurTime->setCaption(localClockText(local.time()));
    Label16->setCaption(amPmText(local.time()));
    RunState& run = app_.run();
    if (run.LoggedOn == 1) {
        const QDateTime on(run.LogOnTime.date(), run.LogOnTime.time(), Qt::UTC);
        const QDateTime now(local.date(), local.time(), Qt::UTC);
        run.OperatingSeconds =
            std::fabs(app_.station().AccumulatedOperatingSeconds + static_cast<float>(on.secsTo(now)));
        lblttrack->setCaption(operatingTimeText(run.OperatingSeconds));
    }
}

void LoggingWindow::cmdLogOn_Click() {
    RunState& run = app_.run();
    StationSettings& st = app_.station();
    if (run.LoggedOn != 0) {
        run.LoggedOn = 0;
        cmdLogOn->setCaption(QStringLiteral("&Log \"Time On\""));
        st.AccumulatedOperatingSeconds = run.OperatingSeconds;
        // This message counts the offset in whole hours.
        const QDateTime local = platform().clock.localNow();
        const QDateTime utc = QDateTime(local.date(), local.time(), Qt::UTC)
                                  .addSecs(3600LL * std::lround(st.UTCOffsetHours));
        lblDialog->setCaption(QStringLiteral("Logged Off at ") + shortDateText(utc.date()) +
                              QLatin1Char(' ') + clockText(utc.time()));
        WriteQSOPref(st, platform().files);
    } else {
        run.LogOnTime = platform().clock.localNow();
        run.LoggedOn = 1;
        cmdLogOn->setCaption(QStringLiteral("&Log \"Time Off\""));
        lblDialog->setCaption(QStringLiteral(" "));
    }
    txtCall->SetFocus();
}

// ---- log list

void LoggingWindow::FillLogList() {
    const QSOLog& log = app_.log();
    const int first = (app_.run().LogListAll == 1 || log.QSOCount < 20) ? 1 : log.QSOCount - 19;
    std::vector<QStringList> rows;
    rows.reserve(static_cast<size_t>(std::max(0, log.QSOCount - first + 1)));
    for (int r = log.QSOCount; r >= first; --r) rows.push_back(logListRow(r));
    // Newest first, unless the operator sorted the list: the list keeps that sort.
    ListView1->setRows(rows);
    // An edit or a restore may have brought a wider call into the rows shown.
    keepCallWhole(widestCall(first, log.QSOCount));
}

bool LoggingWindow::logListShows(int first, int last) const {
    const int shown = last < first ? 0 : last - first + 1;
    if (ListView1->count() != shown) return false;
    const int sortColumn = ListView1->sortColumn();
    std::vector<bool> listed(static_cast<size_t>(shown), false);
    for (int i = 1; i <= shown; ++i) {
        bool number = false;
        const int r = ListView1->text(i, 0).toInt(&number);
        if (!number || r < first || r > last || listed[static_cast<size_t>(r - first)])
            return false;
        listed[static_cast<size_t>(r - first)] = true;
        if (sortColumn < 0) {
            if (r != last - i + 1) return false;
        } else if (i > 1 && r > ListView1->text(i - 1, 0).toInt() &&
                   ListView1->text(i, sortColumn)
                           .compare(ListView1->text(i - 1, sortColumn), Qt::CaseInsensitive) == 0) {
            return false;  // of two equal keys a refill lists the newer first
        }
    }
    return true;
}

void LoggingWindow::addNewestToLogList() {
    const QSOLog& log = app_.log();
    const int n = log.QSOCount;
    const bool all = app_.run().LogListAll == 1;
    // What FillLogList showed before this contact: rows n - 1 down to the first shown.
    const int first = (all || n - 1 < 20) ? 1 : n - 20;
    if (n < 1 || !logListShows(first, n - 1)) {
        FillLogList();
        return;
    }
    ListView1->clearSelection();
    ListView1->setCurrentItem(nullptr);
    // At the top, or in the operator's sort ahead of the rows of an equal key, as a refill has it.
    ListView1->addRow(logListRow(n), true);
    keepCallWhole(std::as_const(log)[n].Call);
    if (!all && n - 1 >= 20) {
        const QString oldest = QString::number(first);
        for (int i = ListView1->count(); i >= 1; --i) {
            if (ListView1->text(i, 0) == oldest) {
                ListView1->removeRow(i);
                break;
            }
        }
    }
    ListView1->scrollToTop();
}

void LoggingWindow::cmdList_Click() {
    RunState& run = app_.run();
    if (run.LogListAll == 1) {
        run.LogListAll = 0;
        cmdList->setCaption(QStringLiteral("Last 20"));
    } else {
        run.LogListAll = 1;
        cmdList->setCaption(QStringLiteral("All"));
    }
    FillLogList();
    txtCall->SetFocus();
}

void LoggingWindow::ListView1_Click() {
    if (ListView1->count() == 0) return;
    cmdEdit->setVisible(true);
    cmdDelete->setVisible(true);
}

void LoggingWindow::ListView1_ColumnClick(int column) {
    ListView1->sortBy(column - 1);
}

void LoggingWindow::ListView1_MouseUp(int Button) {
    if (Button != 2 || ListView1->count() == 0) return;
    try {
        cmdEdit_Click();
    } catch (const Error&) {
    }
}

int LoggingWindow::selectedRecord() const {
    const int row = ListView1->selectedRow();
    return row == 0 ? 0 : ListView1->text(row, 0).toInt();
}

namespace {
// Shows a window modally and, however it ended, unloads it.
template <class F>
void showModalThenUnload(FormSlot<F>& slot) {
    slot.get().ShowModal();
    if (F* w = slot.peek()) w->Unload();
}
}  // namespace

void LoggingWindow::cmdEdit_Click() {
    // No row picked: nothing to edit.
    const int record = selectedRecord();
    if (record == 0) return;
    app_.run().EditRecordNumber = static_cast<float>(record);
    // A number naming no contact opens nothing: the dialog would read or write outside the log.
    if (record < 1 || record > app_.log().QSOCount) return;
    Forms& forms = app_.forms();
    if (kind_ == Kind::InState) {
        showModalThenUnload(forms.editInSlot());
    } else {
        showModalThenUnload(forms.editOutSlot());
    }
    cmdEdit->setVisible(false);
    cmdDelete->setVisible(false);
    // The dialog changed memory only. A failed rewrite is told here, through StoreWithMessages;
    // the store keeps the log unsaved, so the reload rebuilds from memory, not from the old file.
    StoreWithMessages(app_.logStore(), platform()).RewriteLog();
    LoadLogAndRefresh();
}

void LoggingWindow::cmdDelete_Click() {
    // No row picked: nothing is deleted, and nobody is asked.
    const int record = selectedRecord();
    if (record == 0) return;
    const Answer a = platform().dialogs.message({QStringLiteral("Are you sure?"),
                                                 QStringLiteral("Are you sure?"), Buttons::YesNo,
                                                 Icon::None, 0});
    cmdEdit->setVisible(false);
    cmdDelete->setVisible(false);
    if (a == Answer::No) return;
    StoreWithMessages(app_.logStore(), platform()).DeleteRecord(record);
    LoadLogAndRefresh();
    cmdEdit->setVisible(false);
    cmdDelete->setVisible(false);
}

void LoggingWindow::mnuCopyListtoClipboard_Click() {
    QClipboard* clip = QGuiApplication::clipboard();
    clip->clear();
    try {
        QString text;
        const int columns = ListView1->columnCount();
        for (int c = 0; c < columns; ++c) {
            text += ListView1->columnHeader(c) +
                    (c == columns - 1 ? QStringLiteral("\r\n") : QStringLiteral("\t"));
        }
        for (int r = ListView1->count(); r >= 1; --r) {
            for (int c = 0; c < columns; ++c) {
                text += ListView1->text(r, c) +
                        (c == columns - 1 ? QStringLiteral("\r\n") : QStringLiteral("\t"));
            }
        }
        clip->setText(text);
    } catch (const Error&) {
        clip->clear();
    }
}

}  // namespace qf
