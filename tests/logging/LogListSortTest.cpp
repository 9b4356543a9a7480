// The operator sorts the log list by a click on a column header; that sort holds for every row
// added later: the contacts Enter stores, and the reloads after a band change, an edit and a
// delete. The same in both logging windows.
#include "logging/LoggingFixture.h"
#include "logtools/EditContactDialog.h"

#include <QHeaderView>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <set>

namespace qf {
namespace {

using test::LoggingFixture;

class LogListSortTest : public LoggingFixture, public ::testing::WithParamInterface<bool> {
  protected:
    bool inState() const { return GetParam(); }

    // 21 contacts whose calls are not in record order; the list shows the last 20, so each
    // new contact also drops the oldest row listed.
    LoggingWindow& openWindow() {
        std::vector<QSORecord> log;
        for (int i = 1; i <= 21; ++i) {
            QSORecord q;
            q.Call = QStringLiteral("%1%2X").arg(QLatin1Char("WKN"[i % 3])).arg(30 - i);
            q.NameSent = QStringLiteral("JOE");
            q.NameRcvd = QStringLiteral("AL");
            if (inState()) {
                q.SPC = QStringLiteral("OH");
                q.CountySent = QStringLiteral("AIT");
            } else {
                q.CountyRcvd = QStringLiteral("HEN");
            }
            q.QSODate = QStringLiteral("2026/09/12");
            q.QSOTime = QStringLiteral("14:%1:00").arg(i, 2, 10, QLatin1Char('0'));
            q.Mode = QStringLiteral("PH");
            q.Band = QStringLiteral("20");
            log.push_back(q);
        }
        writeLog(log);
        if (inState()) {
            StationSettings& st = t.app().station();
            st.OutOfStateFlag = 0;
            st.OwnSPC = QStringLiteral("MN");
            st.OwnCounty = QStringLiteral("AIT");
            win = &open(&Forms::Infrm);
        } else {
            win = &openOut();
        }
        win->cmdLogOn_Click();
        settle();
        return *win;
    }

    void clickHeader(int column) {
        QHeaderView* header = win->ListView1->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, 5));
        settle();
    }

    void clickRowOf(const QString& call) {
        ListView* list = win->ListView1;
        for (int row = 1; row <= list->count(); ++row) {
            if (list->text(row, 1) != call) continue;
            const QRect r = list->visualItemRect(list->topLevelItem(row - 1));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
            settle();
            return;
        }
        ADD_FAILURE() << call.toStdString() << " is not listed";
    }

    // One contact typed into the boxes and stored by Enter; the header click left the focus in
    // the list, so the operator clicks into the call box first.
    void typeContact(const char* call) {
        if (QApplication::focusWidget() != win->txtCall) {
            QTest::mouseClick(win->txtCall, Qt::LeftButton);
            settle();
        }
        ASSERT_EQ(QApplication::focusWidget(), win->txtCall);
        type(QString::fromLatin1(call) + QStringLiteral(" bob "));
        type(inState() ? QStringLiteral("OH\n") : QStringLiteral("ait\n"));
    }

    // The list shows the last 20 contacts, in call order.
    void expectSortedByCall(const char* after) {
        const QSOLog& log = t.app().log();
        ListView* list = win->ListView1;
        std::set<int> expected;
        for (int r = std::max(1, log.QSOCount - 19); r <= log.QSOCount; ++r) expected.insert(r);
        std::set<int> listed;
        QStringList calls;
        for (int row = 1; row <= list->count(); ++row) {
            listed.insert(list->text(row, 0).toInt());
            calls << list->text(row, 1);
        }
        EXPECT_EQ(listed, expected) << "after " << after;
        EXPECT_TRUE(std::is_sorted(calls.begin(), calls.end(),
                                   [](const QString& a, const QString& b) {
                                       return a.compare(b, Qt::CaseInsensitive) < 0;
                                   }))
            << "after " << after << ": " << calls.join(QLatin1Char(' ')).toStdString();
    }

    LoggingWindow* win = nullptr;
};

TEST_P(LogListSortTest, ASortByCallHoldsForEveryRowAddedLater) {
    LoggingWindow& w = openWindow();
    ASSERT_EQ(w.ListView1->columnHeader(1), QStringLiteral("Call"));
    clickHeader(1);
    expectSortedByCall("the click on Call");

    struct Step {
        const char* what;
        std::function<void()> run;
    };
    const std::vector<Step> steps = {
        {"two contacts typed",
         [&] {
             typeContact("k5mid");
             typeContact("a1top");
             ASSERT_EQ(t.app().log().QSOCount, 23);
             EXPECT_EQ(w.ListView1->text(1, 1), QStringLiteral("A1TOP"));
         }},
        {"a band change", [&] { w.mnuBandItems[2]->action()->trigger(); }},
        {"an edit",
         [&] {
             // K5MID becomes ZZ9Z, which moves it to the end of the list.
             clickRowOf(QStringLiteral("K5MID"));
             bool edited = false;
             // Answered once the dialog is up, inside its modal showing.
             QTimer::singleShot(0, [&] {
                 Forms& f = t.app().forms();
                 EditContactDialog* d = f.editInSlot().peek();
                 if (!d) d = f.editOutSlot().peek();
                 ASSERT_NE(d, nullptr);
                 d->txtEditCall->setText(QStringLiteral("ZZ9Z"));
                 d->cmdDone->Press();
                 edited = true;
                 // A dialog that stayed open would hold the test in its modal showing.
                 EXPECT_FALSE(d->isVisible());
                 if (d->isVisible()) d->Hide();
             });
             w.cmdEdit->Press();
             settle();
             EXPECT_TRUE(edited);
             EXPECT_EQ(w.ListView1->text(w.ListView1->count(), 1), QStringLiteral("ZZ9Z"));
         }},
        {"a delete",
         [&] {
             clickRowOf(QStringLiteral("A1TOP"));
             t.dialogs().answerMessage(Answer::Yes);
             w.cmdDelete->Press();
             EXPECT_EQ(t.app().log().QSOCount, 22);
         }},
    };
    for (const Step& step : steps) {
        step.run();
        settle();
        expectSortedByCall(step.what);
    }
}

INSTANTIATE_TEST_SUITE_P(BothWindows, LogListSortTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("InState") : std::string("OutOfState");
                         });

}  // namespace
}  // namespace qf
