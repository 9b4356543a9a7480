// What the operator sees of both logging windows at every form size: each log-list cell and
// header in full at the list's font, and the post-contest boxes inside the status panel.
#include "logging/LoggingFixture.h"
#include "logstore/ReferenceTables.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>

#include <tuple>

namespace qf {
namespace {

using test::LoggingFixture;

enum class Window { OutOfState, InState };

// Screens of both shapes: on a 4:3 or 5:4 screen the fonts grow as much as the widths.
const QSizeF kScreens[] = {{28800, 16200}, {19200, 15360}, {15360, 11520}};

class WindowLayoutTest : public LoggingFixture,
                         public ::testing::WithParamInterface<std::tuple<Window, int, int>> {
protected:
    Window window() const { return std::get<0>(GetParam()); }
    int percent() const { return std::get<1>(GetParam()); }
    QSizeF screen() const { return kScreens[std::get<2>(GetParam())]; }

    LoggingWindow& openWindow() {
        t.screen().set(screen(), QRectF(QPointF(0, 0), screen()));
        StationSettings& st = t.app().station();
        st.FormSizePercent = static_cast<quint8>(percent());
        st.OwnName = QStringLiteral("MAXIMILIAN");
        if (window() == Window::InState) {
            st.OutOfStateFlag = 0;
            st.RoverFlag = 1;  // the tenth column too
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

    // Contacts with the widest texts each column is made for: every mode and band, a long
    // mobile call, a long name, the widest county, a date and time; the own name is longer
    // still, and the list must make room for it.
    void writeWidestLog() {
        const QString county = widestCounty();
        std::vector<QSORecord> log;
        const char* modes[] = {"CW", "PH", "DG"};
        int i = 0;
        for (const char* band : LoggingWindow::kBands) {
            QSORecord q;
            q.Call = QStringLiteral("WB0WWW/M");
            q.NameSent = QStringLiteral("MAXIMILIAN");
            q.NameRcvd = QStringLiteral("JONATHAN");
            q.CountyRcvd = county;
            q.CountySent = county;
            q.SPC = i % 2 ? QStringLiteral("Not Found") : QStringLiteral("MN");
            q.QSODate = QStringLiteral("2026/08/28");
            q.QSOTime = QStringLiteral("08:48:08");
            q.Mode = QString::fromLatin1(modes[i++ % 3]);
            q.Band = QString::fromLatin1(band);
            log.push_back(q);
        }
        writeLog(log);
    }
};

// Each text in full: the cell's text area is the column less the style's margin either side.
TEST_P(WindowLayoutTest, EveryLogListCellFitsItsColumn) {
    writeWidestLog();
    LoggingWindow& w = openWindow();
    ListView* list = w.ListView1;
    ASSERT_EQ(list->columnCount(), window() == Window::InState ? 10 : 8);
    ASSERT_EQ(list->count(), 10);
    const QFontMetrics cellMetrics(list->font());
    const QFontMetrics headerMetrics(list->header()->font());
    const int cellMargin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    const int headerMargin = 2 * list->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, list->header());
    for (int c = 0; c < list->columnCount(); ++c) {
        const int width = list->QTreeWidget::columnWidth(c);
        const QString header = list->columnHeader(c);
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
    // Widened or not, the columns keep their designed proportions.
    EXPECT_NEAR(list->columnWidth(1) / list->columnWidth(0),
                window() == Window::InState ? 850.0 / 530 : 1200.0 / 550, 1e-9);
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

}  // namespace
}  // namespace qf
