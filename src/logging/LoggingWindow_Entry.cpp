// The logging window's keyboard hub and entry boxes.
#include "app/App.h"
#include "common/Formats.h"
#include "common/QuotedFieldLine.h"
#include "common/KeyFilters.h"
#include "logging/ContactRules.h"
#include "keying/CWKeyer.h"
#include "keying/VoiceKeyer.h"
#include "logging/LogIndex.h"
#include "rig/RigControl.h"
#include "spots/Spotting.h"
#include "logging/LoggingWindow.h"
#include "logging/TextBoxState.h"
#include "logging/TypeAhead.h"
#include "platform/Colors.h"
#include "platform/Error.h"
#include "platform/Keys.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace qf {

namespace {
bool modeIs(const QString& mode, const char* m) {
    return mode.compare(QLatin1String(m), Qt::CaseInsensitive) == 0;
}
}  // namespace

void LoggingWindow::wireEntry() {
    txtCall->setMaxLength(12);
    txtCntry->setMaxLength(30);
    txtSec->setMaxLength(20);
    txtRSTS->setMaxLength(3);
    txtPostConDate->setMaxLength(10);
    txtPostConTime->setMaxLength(5);
    txtCall->GotFocus = [this] { txtCall_GotFocus(); };
    txtCall->Change = [this] { txtCall_Change(); };
    txtCall->KeyPress = [this](int& k) { txtCall_KeyPress(k); };
    txtCall->LostFocus = [this] { txtCall_LostFocus(); };
    txtRSTR->GotFocus = [this] { txtRSTR_GotFocus(); };
    txtRSTR->KeyPress = [this](int& k) { txtRSTR_KeyPress(k); };
    txtCntry->Change = [this] { txtCntry_Change(); };
    txtSec->GotFocus = [this] { txtSec_GotFocus(); };
    txtSec->KeyPress = [this](int& k) { txtSec_KeyPress(k); };
    txtRSTS->Change = [this] { txtRSTS_Change(); };
    txtRSTS->GotFocus = [this] { txtRSTS_GotFocus(); };
    txtRSTS->KeyPress = [this](int& k) { txtRSTS_KeyPress(k); };
    txtPostConDate->GotFocus = [this] { txtPostConDate_GotFocus(); };
    txtPostConTime->GotFocus = [this] { txtPostConTime_GotFocus(); };
    txtPostConDate->KeyPress = [this](int& k) { txtPostCon_KeyPress(txtPostConDate, k); };
    txtPostConTime->KeyPress = [this](int& k) { txtPostCon_KeyPress(txtPostConTime, k); };
    cmdDup->setToolTip(QStringLiteral("Displaying partial dupes slows the program on older pc's."));
    cmdDup->Click = [this] { cmdDup_Click(); };
    mnuClear->Click = [this] { mnuClear_Click(); };
    mnuRecall->Click = [this] { mnuRecall_Click(); };
    mnuListPrevious->Click = [this] { mnuListPrevious_Click(); };
    mnuPostContest->Click = [this] { mnuPostContest_Click(); };
    // Tab order: the visible entry boxes first, in the order the operator fills them.
    setTabOrder(txtCall, txtRSTR);
    setTabOrder(txtRSTR, txtCntry);
    setTabOrder(txtCntry, txtSec);
    setTabOrder(txtSec, txtRSTS);
    setTabOrder(txtRSTS, txtPostConDate);
    setTabOrder(txtPostConDate, txtPostConTime);
}

void LoggingWindow::status(const QString& text, bool beep) {
    if (beep) platform().beeper.beep();
    lblDialog->setCaption(text);
}

EntryTexts LoggingWindow::entryTexts() const {
    return {txtCall->Text(), txtRSTR->Text(), txtCntry->Text(), txtSec->Text()};
}

TextBox* LoggingWindow::entryBox(EntryBox box) const {
    switch (box) {
        case EntryBox::Call: return txtCall;
        case EntryBox::Name: return txtRSTR;
        case EntryBox::Spc: return txtCntry;
        case EntryBox::County: return txtSec;
    }
    return txtCall;
}

void LoggingWindow::setStatusColor(quint32 color) { lblDialog->setBackColor(color); }

// ---- keyboard hub

void LoggingWindow::Form_KeyDown(int& KeyCode, int Shift) {
    RunState& run = app_.run();
    if (Shift == kCtrlMask) {
        CtrlKeyPending = 1;
        switch (KeyCode) {
            case 'C': case 'S':
                cw::ShowWindow(app_, false);
                KeyCode = 0;
                return;
            case 'R':
                rig::ShowWindow(app_);
                KeyCode = 0;
                return;
            case 'D':
                spots::ShowWindow(app_);
                KeyCode = 0;
                return;
            case 'P':
                voice::ShowWindow(app_, false);
                KeyCode = 0;
                return;
            case 'B':
                spots::ShowSpectrumMap(app_);
                KeyCode = 0;
                return;
            case 'F':
                rig::ShowPrivileges(app_);
                KeyCode = 0;
                return;
            case 'G':
                rig::ShowTuning(app_);
                KeyCode = 0;
                return;
            default: break;
        }
    }
    // Any other key stops a repeating message.
    if (run.CWRepeatActive != 0) cw::StopRepeat(app_);
    if (run.VoiceRepeatActive != 0) voice::StopRepeat(app_);

    const QString mode = app_.station().CurrentMode;
    if (modeIs(mode, "PH")) {
        // F1 to F9 play the voice keyer's messages; F10 is kept from the boxes.
        if (KeyCode == key::F10) {
            KeyCode = 0;
        } else if (KeyCode >= key::F1 && KeyCode <= key::F1 + 8) {
            voice::PlayFunctionKey(app_, KeyCode);
        }
    } else if (modeIs(mode, "CW") && run.CWKeyingInterface != 0) {
        if (KeyCode == key::Down || KeyCode == key::Up) {
            const QString wpm = KeyCode == key::Down ? cw::SpeedDown(app_) : cw::SpeedUp(app_);
            lblDialog->setCaption(wpm + QStringLiteral(" WPM"));
            KeyCode = 0;
        } else if (KeyCode >= key::F1 && KeyCode <= key::F11) {
            cw::SendFunctionKey(app_, KeyCode == key::F10 ? 124 : KeyCode);
        } else if (KeyCode == key::F12) {
            if (run.KeyboardCWMode != 0) {
                run.KeyboardCWMode = 0;
                lblDialog->setCaption(QString());
                setStatusColor(kTeal);
            } else {
                run.KeyboardCWMode = 1;
                lblDialog->setCaption(keyboardCwMessage());
                setStatusColor(kLightYellow);
            }
        }
    }
}

void LoggingWindow::Form_KeyPress(int& KeyAscii) {
    RunState& run = app_.run();
    if (CtrlKeyPending == 1) {
        CtrlKeyPending = 0;
        KeyAscii = 0;
        return;
    }
    // Esc in phone mode stops a voice message that is playing, and nothing else.
    if (KeyAscii == 27 && modeIs(app_.station().CurrentMode, "PH") && voice::StopIfPlaying(app_)) {
        KeyAscii = 0;
        return;
    }
    // With the WinKey open every key first reads its status; Esc stops what it is sending.
    const bool winKey = run.CWKeyingInterface == 5 && run.WinKeyVersion != 0;
    if (winKey) {
        // A keyer that stopped answering reads as busy: it may still be sending, so Esc clears it
        // (once: the read that finds it silent clears it already).
        bool cleared = false;
        cw::ReadWinKeyStatus(app_, &cleared);
        if (KeyAscii == 27 && run.WinKeyStatus > 0) {
            if (!cleared) platform().winKey.wk_clearbuf();
            run.CWSendBuffer.clear();
            KeyAscii = 0;
            return;
        }
    }
    if (KeyAscii == '\'' || KeyAscii == '"') {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == 27) {
        if (cw::Sending(app_)) {
            cw::Stop(app_);
        } else {
            ClearEntry();
        }
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == 8 && run.KeyboardCWMode == 1 && winKey && run.WinKeyStatus > 0) {
        platform().winKey.wk_backspace();
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == 8 && run.KeyboardCWMode == 1 && run.CWSending == 1 && !run.CWSendBuffer.isEmpty()) {
        run.CWSendBuffer.chop(1);
        KeyAscii = 0;
        return;
    }
    if (modeIs(app_.station().CurrentMode, "CW") && run.KeyboardCWMode == 1) {
        // Typing is keyed, not entered.
        UpperCaseKey(KeyAscii);
        run.CWSendBuffer += QChar(KeyAscii);
        KeyAscii = 0;
        cw::SendTyped(app_);
    }
}

// ---- entry boxes

void LoggingWindow::txtCall_GotFocus() {
    cmdEdit->setVisible(false);
    cmdDelete->setVisible(false);
    if (txtCall->Text().isEmpty()) {
        txtRSTS->setText(QString());
        txtRSTR->setText(QString());
    }
    if (app_.station().VoiceNavigationLevel > 0) speakPrompt(QStringLiteral("Call"));
    if (txtCall->Text().isEmpty() && ListView1->count() < app_.log().QSOCount && ListView1->count() < 18) {
        FillLogList();
    }
}

void LoggingWindow::txtCall_Change() {
    app_.run().CWMacroValues.MacroCall = txtCall->Text();
    callTextChanged();
}

void LoggingWindow::txtCall_KeyPress(int& KeyAscii) {
    RunState& run = app_.run();
    const double screenWidth = platform().screen.sizeTwips().width();
    lblDupe->setFontSize(std::max(1.0, screenWidth * 9 / 9600 * app_.station().FormSizePercent / 100));
    if (txtCall->Text().size() < 2 && !(kind() == Kind::OutOfState && KeyAscii == 13)) {
        txtCntry->setText(QString());
        for (Label* l : {Label19, Label22, Label23}) l->setCaption(QString());
    }
    // Letters, digits and "/" only; Space stays for the move to the name box.
    if (KeyAscii != 32) CallSignKey(KeyAscii);
    callBoxHandOver(KeyAscii);
    if (txtCall->Text().size() < 3 && run.LoggedOn == 1) lblDialog->setCaption(QStringLiteral(" "));
    if (run.LoggedOn == 0) status(QStringLiteral("Click Log \"Time On\"!"));
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
    } else if (KeyAscii == 32 && !(kind() == Kind::InState && run.HandOverTarget == 4)) {
        KeyAscii = 0;
        txtRSTR->SetFocus();
    }
    UpperCaseKey(KeyAscii);
    PartialDupCheck(KeyAscii);
    callBoxKeyDone();
}

void LoggingWindow::txtRSTR_GotFocus() {
    if (app_.station().VoiceNavigationLevel > 1) speakPrompt(QStringLiteral("Name"));
}

void LoggingWindow::txtRSTS_GotFocus() {
    if (app_.station().VoiceNavigationLevel > 1) speakPrompt(QStringLiteral("RstSnt"));
}

void LoggingWindow::txtRSTR_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    if (KeyAscii == 32) {
        KeyAscii = 0;
        (kind() == Kind::OutOfState ? txtSec : txtCntry)->SetFocus();
        return;
    }
    if (kind() == Kind::InState && KeyAscii == '"') KeyAscii = 0;
    UpperCaseKey(KeyAscii);
}

void LoggingWindow::txtCntry_Change() {
    try {
        const QString text = txtCntry->Text();
        const StationSettings& st = app_.station();
        if (kind() == Kind::InState) {
            lblStation.at(4)->setEnabled(text.compare(st.ContestState, Qt::CaseInsensitive) == 0);
        }
        if (text.size() == 2) {
            const auto& rows = app_.tables().StateLocations;
            for (size_t r = 1; r <= 54; ++r) {
                if (rows[r].LocationCode.compare(text, Qt::CaseInsensitive) == 0) {
                    Label19->setCaption(QStringLiteral("NA"));
                    BearingDistance(rows[r].LocationLatitude, rows[r].LocationLongitude);
                    break;
                }
            }
        }
        bool showNew = false;
        const QStringList never{QStringLiteral("Not Found"), QStringLiteral("Hawaii"),
                                QStringLiteral("Alaska"), QStringLiteral("Canada"), QStringLiteral("USA")};
        if (text.size() > 2 && !never.contains(text, Qt::CaseInsensitive)) {
            showNew = true;
            for (const auto& list : app_.tallies().DXLists) {
                if (list.name.compare(st.CurrentBand, Qt::CaseInsensitive) == 0) {
                    showNew = !list.countries.contains(text, Qt::CaseInsensitive);
                }
            }
        }
        Label3->setVisible(showNew);
    } catch (const Error&) {
    }
}

void LoggingWindow::txtSec_GotFocus() {
    if (app_.station().VoiceNavigationLevel > 1) speakPrompt(QStringLiteral("County"));
}

void LoggingWindow::speakPrompt(const QString& promptName) {
    voice::Prompt(app_, promptName);
}

// The county box of both windows: a quote is refused; a digit is the RST sent and goes on as a
// Space; Enter logs; Space moves to the call box; the rest goes through the type-ahead.
void LoggingWindow::countyBoxKeyPress(int& KeyAscii) {
    RunState& run = app_.run();
    if (KeyAscii == '"') {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii >= '0' && KeyAscii <= '9') {
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
    if (KeyAscii == 32) {
        const QString after = txtSec->Text().mid(txtSec->SelStart());
        // The in-state box moves on only from the end of its text.
        if (kind() == Kind::OutOfState || after.isEmpty()) {
            KeyAscii = 0;
            txtCall->SetFocus();
            return;
        }
        // A blank typed in front of a word would go to the hidden RST-sent box, which cannot
        // take the focus: the key is dropped and the operator stays in the county box.
        if (after.size() >= 2 && after.front() != QLatin1Char(' ')) {
            KeyAscii = 0;
            return;
        }
    }
    countyTypeAhead(KeyAscii);
}

void LoggingWindow::countyTypeAhead(int& KeyAscii) {
    BoxState box = boxStateOf(*txtSec);
    const bool completed = CountyTypeAhead(app_.tables().counties, box, KeyAscii, CountyTypeAheadRule{});
    setBoxStateOf(*txtSec, box);
    // A completed county ends any hand-over still waiting for a box.
    if (completed) app_.run().HandOverTarget = 0;
}

void LoggingWindow::txtRSTS_Change() { app_.run().CWMacroValues.MacroRstSent = txtRSTS->Text(); }

void LoggingWindow::txtRSTS_KeyPress(int& KeyAscii) {
    RunState& run = app_.run();
    KeyAscii = run.HandOverKey.toInt();
    DigitsOnlyKey(KeyAscii);
    txtRSTS->setText(KeyAscii == 0 ? QString() : QString(QChar(KeyAscii)));
    txtRSTS->setSelStart(txtRSTS->Text().size());
    run.HandOverTarget = 0;
}

void LoggingWindow::ClearEntry() {
    for (TextBox* box : {txtRSTS, txtCntry, txtCall, txtRSTR, txtSec}) box->setText(QString());
    lblDupe->setBackColor(kButtonFace);
    setStatusColor(kTeal);
    for (Label* l : {lblDupe, lblDialog, Label19, Label22, Label23}) l->setCaption(QString());
    if (kind() == Kind::InState) lblStation.at(4)->setEnabled(false);
    // A hand-over waiting for a box would type into the next call.
    app_.run().HandOverTarget = 0;
    txtCall->SetFocus();
}

void LoggingWindow::mnuClear_Click() { ClearEntry(); }

void LoggingWindow::mnuRecall_Click() {
    const QSOLog& log = app_.log();
    if (log.QSOCount < 1) return;
    txtCall->setText(log[log.QSOCount].Call);
    if (kind() == Kind::OutOfState) txtRSTR->setText(log[log.QSOCount].NameRcvd);
    txtSec->SetFocus();
    txtSec->setSelLength(txtSec->Text().size());
}

void LoggingWindow::BearingDistance(float latitude, float longitude) {
    try {
        const double K = 57.29577951;
        const double ownLat = app_.station().OwnLatitude, ownLon = app_.station().OwnLongitude;
        const double lat = latitude, lon = longitude;
        // Rounding can put the cosines a hair outside [-1, 1], which would leave a station due
        // north or south without a bearing.
        double c = std::sin(ownLat / K) * std::sin(lat / K) +
                   std::cos(lat / K) * std::cos(ownLat / K) * std::cos((ownLon - lon) / K);
        c = std::clamp(c, -1.0, 1.0);
        const double d = std::acos(c);
        const double D = d * K;
        const double denominator = std::cos(ownLat / K) * std::sin(D / K);
        if (denominator == 0) throw Error(err::kDivisionByZero, QStringLiteral("Division by zero"));
        double X = (std::sin(lat / K) - c * std::sin(ownLat / K)) / denominator;
        X = std::clamp(X, -1.0, 1.0);
        const double A = std::acos(X);
        const double bearing = std::sin((ownLon - lon) / K) > 0 ? A * K : 360 - A * K;
        const double miles = d * 3955.75791314991;
        auto fmt = [](double v) {
            const long long r = std::llround(v);
            return (r == 0 ? QString() : QLocale().toString(r)) + QLatin1Char(' ');
        };
        Label22->setCaption(fmt(bearing));
        Label23->setCaption(fmt(miles));
    } catch (const Error&) {
        Label22->setCaption(QString());
        Label23->setCaption(QString());
    }
}

// ---- duplicate list, switches and post-contest entry

void LoggingWindow::PartialDupCheck(int& KeyAscii) {
    const RunState& run = app_.run();
    setStatusColor(kTeal);
    lblDupe->setBackColor(kButtonFace);
    lblDupe->setCaption(QString());
    const QString typed = txtCall->Text() + (KeyAscii > 0 ? QString(QChar(KeyAscii)) : QString());
    QString list;
    if (KeyAscii >= 46 && KeyAscii <= 90 && run.PossibleDupesOn == 1) {
        const StationSettings& st = app_.station();
        // The in-state window lists only what was sent from the own county now in use.
        std::optional<QString> ownCounty;
        if (kind() == Kind::InState) ownCounty = st.OwnCounty;
        list = PartialDupeList(logIndex(), app_.log(), typed, st.CurrentBand, st.CurrentMode, ownCounty);
        lblDupe->setBackColor(list.isEmpty() ? kButtonFace : kTeal);
        lblDupe->setCaption(list);
    }
    if (txtCall->Text().size() > 2 && !list.isEmpty()) {
        status(QStringLiteral("Possible Duplicate!"), false);
    } else if (run.LoggedOn == 1) {
        lblDialog->setCaption(QStringLiteral(" "));
    }
    if (typed.size() == 3 && KeyAscii >= 46 && KeyAscii <= 90) {
        auto numeric = [](QChar c) { return c.isDigit() || c == QLatin1Char('/'); };
        if (numeric(typed[1]) || numeric(typed[2])) {
            lblDialog->setCaption(QStringLiteral(" "));
        } else {
            status(QStringLiteral("The second or third character is not numeric!"));
        }
    }
}

void LoggingWindow::cmdDup_Click() {
    RunState& run = app_.run();
    lblDupe->setBackColor(kButtonFace);
    if (run.PossibleDupesOn == 1) {
        run.PossibleDupesOn = 0;
        cmdDup->setCaption(QStringLiteral("Off"));
    } else {
        run.PossibleDupesOn = 1;
        cmdDup->setCaption(QStringLiteral("On"));
    }
    txtCall->SetFocus();
}

void LoggingWindow::mnuListPrevious_Click() {
    StationSettings& st = app_.station();
    st.ListPreviousOn = 0;
    if (mnuListPrevious->Checked()) {
        mnuListPrevious->setChecked(false);
    } else {
        mnuListPrevious->setChecked(true);
        st.ListPreviousOn = 1;
    }
    WriteQSOPref(st, platform().files);
}

void LoggingWindow::mnuPostContest_Click() {
    const bool on = !mnuPostContest->Checked();
    mnuPostContest->setChecked(on);
    for (Control* c : std::initializer_list<Control*>{lblPostConTime, txtPostConTime, lblPostConDate, txtPostConDate}) {
        c->setVisible(on);
    }
}

void LoggingWindow::txtPostConDate_GotFocus() {
    if (txtPostConDate->Text().isEmpty()) {
        txtPostConDate->setText(platform().clock.localNow().date().toString(QStringLiteral("yyyy/MM/dd")));
    }
    // The whole text, wherever the last visit left the caret: a correction replaces it.
    txtPostConDate->SelectAllText();
}

void LoggingWindow::txtPostConTime_GotFocus() { txtPostConTime->SelectAllText(); }

void LoggingWindow::txtPostCon_KeyPress(TextBox* box, int& KeyAscii) {
    if (KeyAscii == 32) {
        KeyAscii = 0;
        SendTab();
        return;
    }
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    if (KeyAscii == 8) return;
    const int low = box == txtPostConTime ? 48 : 47;
    const int high = box == txtPostConTime ? 58 : 57;
    if (KeyAscii < low || KeyAscii > high) KeyAscii = 0;
}

bool LoggingWindow::CheckPostContest() {
    if (!txtPostConTime->Visible()) return true;
    const auto date = parseStoredDate(txtPostConDate->Text());
    if (!date) {
        status(QStringLiteral("Invalid date format!"));
        return false;
    }
    txtPostConDate->setText(date->toString(QStringLiteral("yyyy/MM/dd")));
    QString t = txtPostConTime->Text();
    bool digits = !t.isEmpty();
    for (QChar c : t) digits = digits && c.isDigit();
    if ((t.size() == 3 || t.size() == 4) && digits) t.insert(t.size() - 2, QLatin1Char(':'));
    const auto time = parseStoredTime(t);
    if (!time) {
        status(QStringLiteral("Invalid time format!"));
        return false;
    }
    txtPostConTime->setText(time->toString(QStringLiteral("HH:mm")));
    return true;
}

bool LoggingWindow::RefuseUnstorable() {
    // A double quote or a line break would break "log.txt" for every record after it.
    for (TextBox* box : {txtCall, txtRSTR, txtCntry, txtSec}) {
        if (!fitsQuotedField(box->Text())) {
            status(QStringLiteral("Double quotes and line breaks cannot be logged!"));
            if (box->Visible()) box->SetFocus();
            return true;
        }
    }
    if (app_.log().QSOCount >= kLogCapacity) {
        status(QStringLiteral("The log is full: 11000 contacts!"));
        return true;
    }
    return false;
}

}  // namespace qf
