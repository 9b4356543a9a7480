// What the operator sees of both logging windows at every form size: every log-list column in
// view at once, with its fixed-form texts whole, and the post-contest boxes inside the status
// panel.
#include "logging/LoggingFixture.h"
#include "logstore/ReferenceTables.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>

#include <tuple>

namespace qf {
namespace {

using test::LoggingFixture;

enum class Window { OutOfState, InState, Rover };

struct ScreenCase {
    QSizeF size;
    QRectF workArea;
    quint8 taskbar;  // TaskbarDisplay: 1 lays the window out over the work area
};

// Screens of both shapes: on a 4:3 or 5:4 screen the fonts grow as much as the widths. The
// design screen itself, and a work area that leaves room for a taskbar at the side, which makes
// the list narrower after the columns were first laid out.
const ScreenCase kScreens[] = {
    {{28800, 16200}, {0, 0, 28800, 16200}, 0},    {{19200, 15360}, {0, 0, 19200, 15360}, 0},
    {{15360, 11520}, {0, 0, 15360, 11520}, 0},    {{9600, 7200}, {0, 0, 9600, 7200}, 0},
    {{19200, 15360}, {1800, 0, 17400, 15360}, 1},
};

// The columns whose texts have a fixed form, known in advance, and the calls, which the operator
// must see whole: these always show whole. Names and countries give way first when the list is
// short of room.
bool fixedForm(const QString& header) {
    return QStringList{"Rec#", "Call", "County", "Cnty", "Date/Time", "Mo", "Bnd", "Cnty Snt"}
        .contains(header);
}

class WindowLayoutTest : public LoggingFixture,
                         public ::testing::WithParamInterface<std::tuple<Window, int, int>> {
protected:
    Window window() const { return std::get<0>(GetParam()); }
    int percent() const { return std::get<1>(GetParam()); }
    const ScreenCase& screen() const { return kScreens[std::get<2>(GetParam())]; }

    LoggingWindow& openWindow() {
        t.screen().set(screen().size, screen().workArea);
        StationSettings& st = t.app().station();
        st.FormSizePercent = static_cast<quint8>(percent());
        st.TaskbarDisplay = screen().taskbar;
        st.OwnName = QStringLiteral("MAXIMILIAN");
        if (window() != Window::OutOfState) {
            st.OutOfStateFlag = 0;
            st.RoverFlag = window() == Window::Rover ? 1 : 0;  // the tenth column too
            st.OwnCounty = widestCounty();
            return open(&Forms::Infrm);
        }
        return openOut();
    }

    // The county abbreviation that takes the most room at the list's font.
    QString widestCounty() {
        CountyTable counties;
        LoadCountyTable(counties, QStringLiteral("MN"), t.files());
        const QFontMetrics fm(QFont(QStringLiteral("Liberation Sans"), 10));
        QString widest;
        for (int r = 1; r <= counties.CountyCount; ++r) {
            if (fm.horizontalAdvance(counties[r].CountyAbbrev) > fm.horizontalAdvance(widest)) {
                widest = counties[r].CountyAbbrev;
            }
        }
        return widest;
    }

    // 30 contacts with the widest texts each column is made for: every mode and band, a long
    // mobile call, a long name, the widest county, a date and time, a DX country and "Not Found";
    // the own name is longer still.
    void writeWidestLog() {
        const QString county = widestCounty();
        const char* modes[] = {"CW", "PH", "DG"};
        const char* places[] = {"MN", "Not Found", "Germany"};
        std::vector<QSORecord> log;
        for (size_t i = 0; i < 30; ++i) {
            QSORecord q;
            q.Call = i == 25 ? QStringLiteral("KH6/WB0WW") : QStringLiteral("WB0WWW/M");
            q.NameSent = QStringLiteral("MAXIMILIAN");
            q.NameRcvd = QStringLiteral("JONATHAN");
            q.CountyRcvd = county;
            q.CountySent = county;
            q.SPC = QString::fromLatin1(places[i % 3]);
            q.QSODate = QStringLiteral("2026/08/28");
            q.QSOTime = QStringLiteral("08:48:08");
            q.Mode = QString::fromLatin1(modes[i % 3]);
            q.Band = QString::fromLatin1(LoggingWindow::kBands[i % LoggingWindow::kBands.size()]);
            log.push_back(q);
        }
        writeLog(log);
    }
    static void expectColumnsInView(ListView* list) {
        EXPECT_TRUE(list->verticalScrollBar()->isVisible());
        EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
        const int viewport = list->viewport()->width();
        const QFontMetrics cellMetrics(list->font());
        const QFontMetrics headerMetrics(list->header()->font());
        const int cellMargin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
        const int headerMargin = 2 * list->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, list->header());
        for (int c = 0; c < list->columnCount(); ++c) {
            const QString header = list->columnHeader(c);
            const int width = list->QTreeWidget::columnWidth(c);
            EXPECT_GT(width, 0) << header.toStdString();
            EXPECT_LE(list->header()->sectionViewportPosition(c) + width, viewport)
                << header.toStdString() << " ends past the viewport";
            if (!fixedForm(header)) continue;
            EXPECT_LE(headerMetrics.horizontalAdvance(header) + headerMargin, width) << header.toStdString();
            QStringList texts;
            for (int r = 1; r <= list->count(); ++r) texts << list->text(r, c);
            // The record number of a full log.
            if (c == 0) texts << QString::number(kLogCapacity);
            for (const QString& text : texts) {
                EXPECT_LE(cellMetrics.horizontalAdvance(text) + cellMargin, width)
                    << header.toStdString() << ": " << text.toStdString();
            }
        }
    }
};

class LogListLayoutTest : public WindowLayoutTest {};

// Every column in view at once, with the vertical scroll bar showing and no sideways scrolling:
// each column's right edge lies inside the list's viewport. A column with a fixed form of text
// (record number, call, county, date and time, mode, band) shows its header and texts whole; the
// others may show theirs shortened. A wider call that comes later, by an edit or a new contact,
// is shown whole as well.
TEST_P(LogListLayoutTest, EveryColumnIsInViewAndItsFixedFormTextsWhole) {
    writeWidestLog();
    LoggingWindow& w = openWindow();
    ListView* list = w.ListView1;
    ASSERT_EQ(list->columnCount(), window() == Window::Rover     ? 10
                                   : window() == Window::InState ? 9
                                                                 : 8);
    ASSERT_EQ(list->count(), 20);
    {
        SCOPED_TRACE("as loaded");
        expectColumnsInView(list);
    }
    const QString wider = QStringLiteral("VE3/WB0WWW/M");
    if (window() == Window::OutOfState) {
        w.cmdLogOn->Press();
        settle();
        w.txtCall->setText(wider);
        w.txtRSTR->setText(QStringLiteral("BOB"));
        w.txtSec->setText(QStringLiteral("AIT"));
        w.Mains();
        settle();
        ASSERT_EQ(t.app().log().QSOCount, 31);
    } else {
        t.app().log()[30].Call = wider;
        w.FillLogList();
    }
    ASSERT_EQ(list->text(1, 1), wider);
    SCOPED_TRACE("after a wider call");
    expectColumnsInView(list);
}

// The post-contest boxes and their captions lie inside the status panel, and the date fits.
TEST_P(WindowLayoutTest, PostContestBoxesStayInsideTheStatusPanel) {
    writeLog({});
    LoggingWindow& w = openWindow();
    w.mnuPostContest->action()->trigger();
    const QRect panel = w.lblDialog->geometry();
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblPostConTime, w.txtPostConTime, w.lblPostConDate,
                                                      w.txtPostConDate}) {
        EXPECT_TRUE(c->isVisible()) << c->objectName().toStdString();
        EXPECT_TRUE(panel.contains(c->geometry())) << c->objectName().toStdString();
    }
    EXPECT_FALSE(w.txtPostConTime->geometry().intersects(w.lblPostConDate->geometry()));
    EXPECT_FALSE(w.lblPostConDate->geometry().intersects(w.txtPostConDate->geometry()));
    for (Label* l : {w.lblPostConTime, w.lblPostConDate}) {
        EXPECT_LE(l->fontMetrics().horizontalAdvance(l->Caption()), l->width()) << l->Caption().toStdString();
    }
    TextBox* date = w.txtPostConDate;
    const int frame = date->width() - date->contentsRect().width() + 4;  // frame and text margins
    EXPECT_LE(date->fontMetrics().horizontalAdvance(QStringLiteral("2026/08/28")) + frame, date->width());
}

INSTANTIATE_TEST_SUITE_P(BothWindowsAtEveryFormSize, WindowLayoutTest,
                         ::testing::Combine(::testing::Values(Window::OutOfState, Window::InState),
                                            ::testing::Values(75, 90, 100), ::testing::Values(0, 1, 2)));

// "Rover_90_1280x1024_Taskbar": the window, the form size and the screen.
std::string caseName(const ::testing::TestParamInfo<std::tuple<Window, int, int>>& info) {
    static const char* const windows[] = {"OutOfState", "InState", "Rover"};
    const ScreenCase& sc = kScreens[std::get<2>(info.param)];
    return std::string(windows[int(std::get<0>(info.param))]) + "_" +
           std::to_string(std::get<1>(info.param)) + "_" +
           std::to_string(int(sc.size.width() / 15)) + "x" +
           std::to_string(int(sc.size.height() / 15)) + (sc.taskbar ? "_Taskbar" : "");
}

INSTANTIATE_TEST_SUITE_P(BothWindowsAndARoverAtEveryFormSize, LogListLayoutTest,
                         ::testing::Combine(::testing::Values(Window::OutOfState, Window::InState,
                                                              Window::Rover),
                                            ::testing::Values(75, 90, 100),
                                            ::testing::Range(0, int(std::size(kScreens)))),
                         caseName);

}  // namespace
}  // namespace qf
