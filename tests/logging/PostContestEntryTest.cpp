// Post-contest entry as the operator corrects it: a date or time box left and entered again by
// Tab, Shift+Tab, a click or the program selects its whole text, so a new value replaces the old.
#include "logging/LoggingFixture.h"

#include <QTest>

namespace qf {
namespace {

using test::LoggingFixture;

enum class Way { Tab, ShiftTab, Click, Code };
enum class Box { Date, Time };

struct Correction {
    Box box;
    Way way;
    const char* call;
};

class PostContestEntryTest : public LoggingFixture, public ::testing::WithParamInterface<Correction> {
protected:
    Outfrm& w() { return *t.app().forms().outfrmSlot().peek(); }
    TextBox* focused() { return dynamic_cast<TextBox*>(QApplication::focusWidget()); }

    // Comes back into `box` the given way from wherever typing left the focus, without passing
    // through `box` on the way.
    void reenter(TextBox* box, Way way) {
        TextBox* date = w().txtPostConDate;
        TextBox* time = w().txtPostConTime;
        switch (way) {
            case Way::Tab:
                // From the box before it in the tab order.
                if (focused() == box) {
                    key(Qt::Key_Backtab, Qt::ShiftModifier);
                } else {
                    (box == date ? w().txtSec : date)->SetFocus();
                    settle();
                }
                key(Qt::Key_Tab);
                break;
            case Way::ShiftTab:
                // From the control after it.
                if (focused() == box) key(Qt::Key_Tab);
                ASSERT_NE(focused(), box);
                key(Qt::Key_Backtab, Qt::ShiftModifier);
                break;
            case Way::Click: {
                TextBox* other = box == date ? time : date;
                QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(4, other->height() / 2));
                settle();
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
                settle();
                break;
            }
            case Way::Code:
                (box == date ? time : date)->SetFocus();
                settle();
                box->SetFocus();
                settle();
                break;
        }
        ASSERT_EQ(focused(), box) << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none");
    }
};

TEST_P(PostContestEntryTest, ACorrectionTypedOnReentryIsWhatGetsLogged) {
    const Correction c = GetParam();
    writeLog({});
    openOut();
    w().cmdLogOn->Press();
    w().mnuPostContest->action()->trigger();
    w().txtCall->SetFocus();
    settle();
    type(QString::fromLatin1(c.call) + QStringLiteral(" pat wsh"));
    key(Qt::Key_Tab);  // the county box hands on to the date box
    ASSERT_EQ(focused(), w().txtPostConDate);
    type(QStringLiteral("2026/01/05"));
    key(Qt::Key_Tab);
    ASSERT_EQ(focused(), w().txtPostConTime);
    type(QStringLiteral("1000"));

    TextBox* box = c.box == Box::Date ? w().txtPostConDate : w().txtPostConTime;
    const QStringList values = c.box == Box::Date
                                   ? QStringList{QStringLiteral("2026/01/06"), QStringLiteral("2026/01/07")}
                                   : QStringList{QStringLiteral("1015"), QStringLiteral("1030")};
    // A first and a second correction, each typed over the whole old text.
    for (const QString& v : values) {
        reenter(box, c.way);
        EXPECT_EQ(box->SelStart(), 0);
        EXPECT_EQ(box->SelLength(), box->Text().size());
        type(v);
        EXPECT_EQ(box->Text(), v);
    }
    type(QStringLiteral("\n"));

    ASSERT_EQ(t.app().log().QSOCount, 1);
    const QSORecord& q = t.app().log()[1];
    EXPECT_EQ(q.Call, QString::fromLatin1(c.call).toUpper());
    EXPECT_EQ(q.QSODate, c.box == Box::Date ? QStringLiteral("2026/01/07") : QStringLiteral("2026/01/05"));
    EXPECT_EQ(q.QSOTime, c.box == Box::Time ? QStringLiteral("10:30") : QStringLiteral("10:00"));
}

INSTANTIATE_TEST_SUITE_P(EveryWayBack, PostContestEntryTest,
                         ::testing::Values(Correction{Box::Date, Way::ShiftTab, "k1aa"},
                                           Correction{Box::Date, Way::Tab, "k1ab"},
                                           Correction{Box::Date, Way::Click, "k1ac"},
                                           Correction{Box::Date, Way::Code, "k1ad"},
                                           Correction{Box::Time, Way::ShiftTab, "k1ae"},
                                           Correction{Box::Time, Way::Tab, "k1af"},
                                           Correction{Box::Time, Way::Click, "k1ag"},
                                           Correction{Box::Time, Way::Code, "k1ah"}));

}  // namespace
}  // namespace qf
