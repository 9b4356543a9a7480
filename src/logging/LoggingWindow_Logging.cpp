// The logging steps both twins share: the required-field, county and duplicate checks over their
// own exchange, the stamp and the storing of a new contact, and the end of a logging attempt.
#include "app/App.h"
#include "common/Formats.h"
#include "keying/VoiceKeyer.h"
#include "logging/ContactRules.h"
#include "logging/LoggingWindow.h"
#include "logging/StoreMessages.h"
#include "platform/Colors.h"

#include <QApplication>
#include <QEvent>

namespace qf {

namespace {
// Holds back a window's paint requests while it is installed, and asks for one paint when it
// goes: every pause of a logging attempt would otherwise paint the whole log list again. A
// modal window opened meanwhile lets them through, so nothing stays unpainted behind it.
class PaintLater : public QObject {
  public:
    explicit PaintLater(QWidget* window) : window_(window) { window_->installEventFilter(this); }
    ~PaintLater() override {
        window_->removeEventFilter(this);
        if (held_) {
            QCoreApplication::postEvent(window_, new QEvent(QEvent::UpdateRequest),
                                        Qt::LowEventPriority);
        }
    }
    PaintLater(const PaintLater&) = delete;
    PaintLater& operator=(const PaintLater&) = delete;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != window_ || event->type() != QEvent::UpdateRequest ||
            QApplication::activeModalWidget() != nullptr) {
            return false;
        }
        held_ = true;
        return true;
    }

  private:
    QWidget* window_;
    bool held_ = false;
};

// Holds back the keys that reach a window while it is installed. Saving a contact can take a
// while (the log is flushed to disk), and the keys the operator types meanwhile belong to the
// next contact: let through, they would land in the boxes of the stored one and be cleared
// with them.
class HoldKeys : public QObject {
  public:
    HoldKeys(QWidget* window, std::vector<std::unique_ptr<QKeyEvent>>& held)
        : window_(window), held_(held) {
        qApp->installEventFilter(this);
    }
    ~HoldKeys() override { qApp->removeEventFilter(this); }
    HoldKeys(const HoldKeys&) = delete;
    HoldKeys& operator=(const HoldKeys&) = delete;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || widget->window() != window_) return false;
        held_.emplace_back(static_cast<QKeyEvent*>(event->clone()));
        return true;
    }

  private:
    QWidget* window_;
    std::vector<std::unique_ptr<QKeyEvent>>& held_;
};
}  // namespace

void LoggingWindow::letPendingEventsRun() {
    PaintLater paintLater(window());
    QCoreApplication::processEvents();
}

void LoggingWindow::replayHeldKeys() {
    std::vector<std::unique_ptr<QKeyEvent>> keys;
    keys.swap(heldKeys_);
    for (const auto& key : keys) {
        // Each key goes where the focus is when it comes, so a Tab among them moves on.
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr || target->window() != window()) target = window();
        QCoreApplication::sendEvent(target, key.get());
    }
}

Exchange LoggingWindow::exchange() const {
    return kind() == Kind::InState ? Exchange::InState : Exchange::OutOfState;
}

void LoggingWindow::clearRow() {
    for (TextBox* box : {txtRSTS, txtCntry, txtCall, txtRSTR, txtSec}) box->setText(QString());
    for (Label* l : {Label19, Label22, Label23}) l->setCaption(QString());
}

void LoggingWindow::CheckRequiredFields() {
    auto& flags = app_.run().EntryCheckFlags;
    flags.MissingFieldFlag = 0;
    for (const FieldFailure& f :
         MissingFields(entryTexts(), exchange(), app_.station().ContestState)) {
        status(f.message);
        flags.MissingFieldFlag = 1;
        entryBox(f.box)->SetFocus();
    }
}

void LoggingWindow::CheckCounty() {
    auto& flags = app_.run().EntryCheckFlags;
    flags.BadCountyFlag = 1;
    if (IsKnownCounty(app_.tables().counties, txtSec->Text())) {
        flags.BadCountyFlag = 0;
        return;
    }
    status(BadCountyText(txtSec->Text()));
    txtSec->SetFocus();
}

void LoggingWindow::DupCheck() {
    RunState& run = app_.run();
    run.EntryCheckFlags.DupeFlag = 0;
    const QSOLog& log = app_.log();
    const StationSettings& st = app_.station();
    DupeQuery query;
    query.exchange = exchange();
    query.entry = entryTexts();
    query.band = st.CurrentBand;
    query.mode = st.CurrentMode;
    query.ownCounty = st.OwnCounty;
    query.contestState = st.ContestState;
    const DupeAnswer a = FindDuplicate(logIndex(), log, query);
    if (a.countyFilled) {
        txtSec->setText(a.county);
        txtSec->setSelLength(txtSec->Text().size());
    }
    if (a.spcFilled) {
        txtCntry->setText(a.spc);
        txtCntry->setSelLength(txtCntry->Text().size());
    }
    if (a.row > 0) {
        // A date that does not read leaves the status line as it was; the rest goes on.
        const QString text = DuplicateText(log[a.row], a.row, exchange());
        if (!text.isEmpty()) lblDialog->setCaption(text);
        setStatusColor(kRed);
        lblDupe->setBackColor(kButtonFace);
        lblDupe->setCaption(QString());
        platform().beeper.beep();
        speakPrompt(QStringLiteral("Dupe"));
        if (st.VoiceNavigationLevel != 0) waitForVoicePrompt();
        run.EntryCheckFlags.DupeFlag = 1;
        const QDateTime now = platform().clock.localNow();
        run.LastDupeTime = now.addMSecs(-now.time().msec());  // whole seconds
    }
    if (run.EntryCheckFlags.DupeFlag == 1) {
        txtCall->SetFocus();
        clearRow();
    }
}

void LoggingWindow::waitForVoicePrompt() {
    voice::WaitForPrompt(app_);
}

void LoggingWindow::stampContact(QSORecord& q) {
    if (txtPostConTime->Visible()) {
        q.QSODate = txtPostConDate->Text();
        q.QSOTime = txtPostConTime->Text();
        return;
    }
    // One reading for both: a contact at midnight is never stamped with the day before.
    const QDateTime utc = addUtcOffset(platform().clock.localNow(), app_.station().UTCOffsetHours);
    q.QSODate = utc.date().toString(QStringLiteral("yyyy/MM/dd"));
    q.QSOTime = utc.time().toString(QStringLiteral("HH:mm:ss"));
}

bool LoggingWindow::storeContact(const QSORecord& q, const std::function<void()>& beforeCount,
                                 const std::function<void()>& afterList) {
    QSOLog& log = app_.log();
    log[++log.QSOCount] = q;
    setStatusColor(kTeal);
    lblDialog->setCaption(QString());
    lblDupe->setBackColor(kButtonFace);
    lblDupe->setCaption(QString());
    if (beforeCount) beforeCount();
    CountContact(app_.tallies(), q.Mode);
    const bool written = StoreWithMessages(app_.logStore(), platform()).AppendRecord();
    addNewestToLogList();
    if (afterList) afterList();
    {
        HoldKeys holdKeys(window(), heldKeys_);
        letPendingEventsRun();
    }
    UpdateScore();
    app_.run().HandOverTarget = 0;
    if (!written) {
        // Never shown as safely logged: the row stays on screen, and the store has said why.
        status(QStringLiteral("Kept in memory only: log.txt could not be written!"));
    }
    return written;
}

void LoggingWindow::finishAttempt(bool written) {
    RunState& run = app_.run();
    const auto& flags = run.EntryCheckFlags;
    if (flags.MissingFieldFlag == 0 && flags.BadSectionFlag == 0 && flags.BadCountyFlag == 0 &&
        written) {
        clearRow();
        txtCall->SetFocus();
    }
    if (!heldKeys_.empty()) {
        QMetaObject::invokeMethod(
            this, [this] { replayHeldKeys(); }, Qt::QueuedConnection);
    }
    letPendingEventsRun();
    lblDupe->setBackColor(kButtonFace);
    lblDupe->setCaption(QString());
    UpdateRates();
    run.FrequencyToLog.clear();
}

}  // namespace qf
