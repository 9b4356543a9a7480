// The logging window's load, close and window size.
#include "app/App.h"
#include "app/Forms.h"
#include "common/QuotedFieldLine.h"
#include "common/ScreenScaling.h"
#include "keying/CWKeyer.h"
#include "keying/VoiceKeyer.h"
#include "rig/RigControl.h"
#include "spots/Spotting.h"
#include "logging/ColumnFit.h"
#include "logging/LoggingWindow.h"
#include "logstore/LogStore.h"
#include "platform/Error.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <string_view>

namespace qf {

void LoggingWindow::runLoadStep(const QString& what, const std::function<void()>& step) {
    // Until the log is loaded, a failing step is reported and the load goes on, so the log is
    // always in memory before anything can rewrite "log.txt".
    try {
        step();
    } catch (const Error& e) {
        platform().dialogs.ok(what + QStringLiteral(" failed: ") + e.text(),
                              QStringLiteral("Logging Window"), Icon::Exclamation);
    }
}

void LoggingWindow::Form_Load() {
    StationSettings& st = app_.station();
    Platform& p = platform();
    runLoadStep(QStringLiteral("Closing the station setup window"), [&] {
        if (auto* setup = app_.forms().stationIDSlot().peek()) setup->Unload();
    });
    Label3->setVisible(false);
    runLoadStep(QStringLiteral("Scaling the window to the screen"),
                [&] { ScaleWindow(*this, p.screen, p.dialogs); });
    runLoadStep(QStringLiteral("Placing the county lists"), [&] { PlaceCountyLists(); });
    lblDialog->setCaption(kind_ == Kind::OutOfState
                              ? QStringLiteral("Select a band and mode. Click Log \"Time On\" below!")
                              : QStringLiteral("Select a band, mode and Click Log \"Time On\"!"));
    runLoadStep(QStringLiteral("Building the log list"), [&] { addLogListColumns(Width()); });
    runLoadStep(QStringLiteral("Building the spot list"), [&] {
        const double w = Width();
        struct Column {
            const char* header;
            double n;
            Qt::Alignment align;
        };
        for (const Column& c : {Column{"Call", 1040, Qt::AlignLeft}, Column{"Frequency", 880, Qt::AlignRight},
                                Column{"QTH", 2000, Qt::AlignLeft}, Column{"Status", 0, Qt::AlignHCenter},
                                Column{"Comments", 3400, Qt::AlignLeft}, Column{"Prefix", 520, Qt::AlignLeft},
                                Column{"Time", 600, Qt::AlignLeft}, Column{"From", 520, Qt::AlignLeft}}) {
            txtDX->addColumn(QString::fromLatin1(c.header), w * c.n / 9600, c.align);
        }
    });
    runLoadStep(QStringLiteral("Filling the state and province table"), [&] { loadOwnSteps(); });
    app_.run().PossibleDupesOn = 1;
    if (kind_ == Kind::InState && st.ListPreviousOn == 1) mnuListPrevious->setChecked(true);
    if (st.FormSizePercent < 100) ApplyFormSize();
    setModeTicks();
    setBandTick();
    runLoadStep(QStringLiteral("Showing the station labels"), [&] { showStationLabels(); });
    runLoadStep(QStringLiteral("Loading the county table from county2.txt"), [&] {
        LoadCountyTable(app_.tables().counties, st.ContestState, p.files);
    });
    // After the shrink and the county table: the fonts and the abbreviations are final here.
    runLoadStep(QStringLiteral("Fitting the log list"), [&] { fitLogListColumns(); });
    runLoadStep(QStringLiteral("Asking about the existing log"), [&] { AskOpenExistingLog(); });
    ShowOperatingTime();
    LoadLogAndRefresh();
    // From here on a failing step ends the load quietly; the window still opens.
    // The call box is first in the tab order: the operator starts typing there.
    txtCall->setFocus(Qt::OtherFocusReason);
    try {
        TaskbarLayout();
        rig::StartAtLoad(app_);
    } catch (const Error&) {
    }
}

void LoggingWindow::setModeTicks() {
    const QString mode = app_.station().CurrentMode;
    Label30->setCaption(mode);
    mnu160->setChecked(true);
    mnuSSB->setChecked(false);
    mnuDigital->setChecked(false);
    if (mode.compare(QLatin1String("PH"), Qt::CaseInsensitive) == 0) {
        mnu160->setChecked(false);
        mnuSSB->setChecked(true);
    } else if (mode.compare(QLatin1String("DG"), Qt::CaseInsensitive) == 0) {
        mnu160->setChecked(false);
        mnuDigital->setChecked(true);
    }
}

void LoggingWindow::setBandTick() {
    const QString band = app_.station().CurrentBand;
    for (size_t i = 0; i < kBands.size(); ++i) {
        if (band.compare(QLatin1String(kBands[i]), Qt::CaseInsensitive) == 0) {
            mnuBandItems[i]->setChecked(true);
            Label24->setCaption(QLatin1String(kBands[i]));
            return;
        }
    }
}

void LoggingWindow::AskOpenExistingLog() {
    const Answer a = platform().dialogs.message(
        {QStringLiteral("Do you want to continue an existing contest? (Yes opens your existing log, "
                        "No erases any existing log and starts a new log.)"),
         QStringLiteral("Open existing log?"), Buttons::YesNo, Icon::Question, 0});
    // An erased log saves its zeroed operating time at once.
    if (a != Answer::Yes && eraseLogWhenConfirmed()) {
        WriteQSOPref(app_.station(), platform().files);
    }
    cmdEdit->setVisible(false);
    cmdDelete->setVisible(false);
}

void LoggingWindow::Form_QueryUnload(int& Cancel, int UnloadMode) {
    Q_UNUSED(UnloadMode);
    RunState& run = app_.run();
    run.CWSendBuffer.clear();
    if (run.CWSending == 1) {
        Cancel = 1;
        return;
    }
    // Closing the window ends the program: asked exactly as Exit asks.
    if (!mayEndWithUnsavedLog()) Cancel = 1;
}

void LoggingWindow::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    // The device windows close here, in order: the voice keyer, the CW window, voice
    // navigation, spotting, the spectrum map, the rig, the facade and the
    // WinKey, whose unload closes the keyer. Contacts held only in memory were written, or
    // given up by the operator, in the query.
    voice::UnloadKeyerWindow(app_);
    cw::UnloadWindow(app_);
    voice::UnloadNavigationWindow(app_);
    spots::UnloadWindow(app_);
    spots::UnloadSpectrumMap(app_);
    rig::UnloadWindow(app_);
    if (qf::Form1* facade = app_.forms().form1Slot().peek()) facade->Unload();
    // The rover's county list goes with the in-state window (before the WinKey, the last).
    if (kind_ == Kind::InState) {
        if (auto* rover = app_.forms().countyChangeRoverSlot().peek()) rover->Unload();
    }
    if (qf::frmWinKey* keyer = app_.forms().winKeySlot().peek()) keyer->Unload();
    app_.logStore().BackupLog();
    RunState& run = app_.run();
    if (run.LoggedOn == 1) {
        app_.station().AccumulatedOperatingSeconds = run.OperatingSeconds;
        WriteQSOPref(app_.station(), platform().files);
        run.LoggedOn = 0;
    }
    app_.quit(0);
}

// ---- window size

void LoggingWindow::mnuFormSize_Click() {
    StationSettings& st = app_.station();
    const QString answer = platform().dialogs.input(
        QStringLiteral("Enter the % of the screen you would like the form to cover.  Try between 90 "
                       "and 100 for best results.  Values below 75 do not display well."),
        QStringLiteral("Please enter screen percentage."), QString::number(st.FormSizePercent));
    double v = 0;
    if (!parseNumber(answer, v)) {
        platform().dialogs.ok(QStringLiteral("Please enter only numeric values."),
                              QStringLiteral("Numeric Values Required"));
        return;
    }
    if (v > 100) v = 100;
    if (v < 30) v = 30;
    st.FormSizePercent = static_cast<quint8>(std::nearbyint(v));
    platform().dialogs.ok(
        QStringLiteral("This program must be closed and restarted for this setting to take effect."),
        QStringLiteral("For this setting to take effect please restart this program."));
    WriteQSOPref(st, platform().files);
}

void LoggingWindow::mnuTaskbar_Click() {
    StationSettings& st = app_.station();
    if (st.FormSizePercent != 100) {
        platform().dialogs.ok(
            QStringLiteral("The form size must be set to 100% to use the taskbar display option."),
            QStringLiteral("Please set your form size to 100% to use this option."));
        return;
    }
    st.TaskbarDisplay = st.TaskbarDisplay == 0 ? 1 : 0;
    WriteQSOPref(st, platform().files);
    TaskbarLayout();
}

void LoggingWindow::ApplyFormSize() {
    StationSettings& st = app_.station();
    const double p = st.FormSizePercent;
    try {
        Hide();
        const QSizeF s = platform().screen.sizeTwips();
        setWidth(p * s.width() / 100);
        setHeight(p * s.height() / 100);
        setLeft((s.width() - Width()) / 2);
        setTop((s.height() - Height()) / 2);
        setFontSize(FontSize() * p / 100);
        const auto all = controls();
        for (Control* c : all) {
            switch (c->kind()) {
                case ControlKind::ListBox:
                case ControlKind::ListView:
                case ControlKind::CommandButton:
                case ControlKind::TextBox:
                case ControlKind::Label:
                    c->setFontSize(c->FontSize() * p / 100);
                    c->setHeight(c->Height() * p / 100);
                    c->setLeft(c->Left() * p / 100);
                    c->setTop(c->Top() * p / 100);
                    c->setWidth(c->Width() * p / 100);
                    break;
                case ControlKind::Line: {
                    auto* l = static_cast<Line*>(c);
                    l->setPoints(l->X1() * p / 100, l->Y1() * p / 100, l->X2() * p / 100, l->Y2() * p / 100);
                    break;
                }
                default: break;
            }
        }
        PlaceCountyLists();
        for (ListView* list : {ListView1, txtDX}) {
            for (int i = 0; i < list->columnCount(); ++i) {
                list->setColumnWidth(i, list->columnWidth(i) * p / 100);
            }
        }
        Show();
    } catch (const Error&) {
        // The next start shows the window at full size.
        st.FormSizePercent = 100;
        WriteQSOPref(st, platform().files);
        Show();
    }
}

void LoggingWindow::TaskbarLayout() {
    const StationSettings& st = app_.station();
    mnuTaskbar->setChecked(st.TaskbarDisplay != 0);
    if (st.FormSizePercent != 100) return;
    Hide();
    auto step = [](auto&& fn) {
        try {
            fn();
        } catch (const Error&) {
        }
    };
    const double notedH = Height(), notedW = Width();
    const QSizeF area = st.TaskbarDisplay == 1 ? platform().screen.workAreaTwips().size()
                                               : platform().screen.sizeTwips();
    step([&] { setWidth(area.width()); });
    step([&] { setHeight(area.height()); });
    step([&] { setLeft(0); });
    step([&] { setTop(0); });
    const double gw = Width() / notedW, gh = Height() / notedH;
    const auto all = controls();
    for (Control* c : all) {
        if (c->hasGeometry()) {
            step([&] { c->setHeight(c->Height() * gh); });
            step([&] { c->setLeft(c->Left() * gw); });
            step([&] { c->setTop(c->Top() * gh); });
            step([&] { c->setWidth(c->Width() * gw); });
        } else if (c->kind() == ControlKind::Line) {
            auto* l = static_cast<Line*>(c);
            step([&] { l->setPoints(l->X1() * gw, l->Y1() * gh, l->X2() * gw, l->Y2() * gh); });
        }
    }
    for (int i = 0; i < txtDX->columnCount(); ++i) {
        step([&] { txtDX->setColumnWidth(i, txtDX->columnWidth(i) * gw); });
    }
    // The log list's columns keep their widths in the design, but the list itself grew or shrank
    // with the window: they are laid out again across its new width.
    step([&] { fitLogListColumns(); });
    step([&] { PlaceCountyLists(); });
    Show();
}

void LoggingWindow::fitLogListColumns() {
    if (logListDesign_.empty()) {
        for (int c = 0; c < ListView1->columnCount(); ++c) {
            logListDesign_.push_back(ListView1->columnWidth(c));
        }
    }
    // Measured as the list draws them: text plus the style's margins, in whole pixels.
    QStyle* style = ListView1->style();
    const QFontMetricsF cell(ListView1->font());
    const QFontMetricsF head(ListView1->header()->font());
    const double cellMargin = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ListView1) + 1);
    const double headMargin = 2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, ListView1->header());
    fittedCall_ = widestCall(1, app_.log().QSOCount);  // what widestCalls() gives the twins
    const std::vector<LogListTexts> texts = logListWidestTexts();
    std::vector<ColumnNeed> needs;
    for (int c = 0; c < ListView1->columnCount(); ++c) {
        ColumnNeed need;
        need.design = logListDesign_[static_cast<size_t>(c)] / kTwipsPerPixel;
        double whole = head.horizontalAdvance(ListView1->columnHeader(c)) + headMargin;
        if (c < static_cast<int>(texts.size())) {
            const LogListTexts& t = texts[static_cast<size_t>(c)];
            for (const QString& text : t.widest) {
                whole = std::max(whole, cell.horizontalAdvance(text) + cellMargin);
            }
            need.freeText = t.freeText;
        }
        // A shortened text keeps at least its ellipsis in view.
        if (need.freeText) need.least = std::ceil(cell.horizontalAdvance(QChar(0x2026)) + cellMargin) + 1;
        // One pixel more than the text needs, against the rounding of twips to pixels.
        need.whole = std::ceil(whole) + 1;
        needs.push_back(need);
    }
    // The width inside the frame, less the vertical scroll bar's: it is kept free whether the
    // bar shows or not, so the columns do not move when the log outgrows the list.
    const int room =
        ListView1->contentsRect().width() - ListView1->verticalScrollBar()->sizeHint().width();
    const std::vector<int> widths = FitColumns(needs, room);
    for (int c = 0; c < ListView1->columnCount(); ++c) {
        ListView1->setColumnWidth(c, widths[static_cast<size_t>(c)] * kTwipsPerPixel);
    }
}

void LoggingWindow::keepCallWhole(const QString& call) {
    if (fittedCall_.isEmpty()) return;  // not laid out yet: the load's fit measures every call
    const QFontMetricsF fm(ListView1->font());
    if (fm.horizontalAdvance(call) > fm.horizontalAdvance(fittedCall_)) fitLogListColumns();
}

QStringList LoggingWindow::widestRecordNumbers() const { return {QString::number(kLogCapacity)}; }

// A call is never shown shortened, since a wrong /M or /P must be seen: the column holds the
// widest call of the log, and at least a six-character call of wide letters signing mobile. The
// call box takes at most 12 characters, so the column stays bounded.
QStringList LoggingWindow::widestCalls() const { return {fittedCall_}; }

QString LoggingWindow::widestCall(int first, int last) const {
    const QFontMetricsF fm(ListView1->font());
    QString widest = QStringLiteral("WB0WWW/M");
    double widestWidth = fm.horizontalAdvance(widest);
    // No character a call box lets through is wider than this, so most calls are passed over by
    // their length alone and a full log is scanned quickly.
    double charWidth = 0;
    for (const char c : std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/")) {
        charWidth = std::max(charWidth, fm.horizontalAdvance(QLatin1Char(c)));
    }
    const auto callCharacters = [](const QString& call) {
        return std::all_of(call.begin(), call.end(), [](QChar c) {
            return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'/';
        });
    };
    const QSOLog& log = app_.log();
    for (int r = std::max(first, 1); r <= std::min(last, log.QSOCount); ++r) {
        const QString& call = std::as_const(log)[r].Call;
        if (call.size() * charWidth <= widestWidth && callCharacters(call)) continue;
        const double width = fm.horizontalAdvance(call);
        if (width > widestWidth) {
            widest = call;
            widestWidth = width;
        }
    }
    return widest;
}

QStringList LoggingWindow::widestNames() const { return {QStringLiteral("JONATHAN")}; }

QStringList LoggingWindow::ownNames() const { return {app_.station().OwnName}; }

QStringList LoggingWindow::widestDateTimes() const {
    // Every digit stands in each place: fonts need not give all digits one width.
    QStringList all;
    for (char d = '0'; d <= '9'; ++d) {
        QString t = QStringLiteral("00/00 00:00");
        for (QChar& c : t) {
            if (c == QLatin1Char('0')) c = QLatin1Char(d);
        }
        all << t;
    }
    return all;
}

QStringList LoggingWindow::modeTexts() const {
    return {QStringLiteral("CW"), QStringLiteral("PH"), QStringLiteral("DG")};
}

QStringList LoggingWindow::bandTexts() const {
    QStringList all;
    for (const char* b : kBands) all << QString::fromLatin1(b);
    return all;
}

QStringList LoggingWindow::countyTexts() const {
    const CountyTable& counties = app_.tables().counties;
    QStringList all;
    for (int r = 1; r <= counties.CountyCount; ++r) all << counties[r].CountyAbbrev;
    return all;
}

void LoggingWindow::PlaceCountyLists() {
    const std::vector<ListBox*> lists = countyLists();
    ListBox* first = lists.front();
    first->setHeight(Line3->Y1() - first->Top());
    for (size_t i = 1; i < lists.size(); ++i) lists[i]->setHeight(first->Height());
}

}  // namespace qf
