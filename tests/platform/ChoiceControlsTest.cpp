#include "common/ScreenScaling.h"
#include "platform/ChoiceControls.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QTest>

namespace qf {
namespace {

// Two frames of two options each, as a window with two yes/no questions has them.
class ChoiceControlsTest : public ::testing::Test {
protected:
    ChoiceControlsTest() : form(t.app().platform(), QStringLiteral("frmChoice")) {
        form.Move(0, 0, 4800, 3600);
        first = form.add<Frame>(QStringLiteral("Frame1"), QStringLiteral("First?"));
        first->Move(300, 300, 3000, 600);
        yes1 = form.add<OptionButton>(QStringLiteral("Option1"), QStringLiteral("Yes"), first);
        yes1->Move(300, 240, 900, 255);
        no1 = form.add<OptionButton>(QStringLiteral("Option2"), QStringLiteral("No"), first);
        no1->Move(1500, 240, 900, 255);
        second = form.add<Frame>(QStringLiteral("Frame2"), QStringLiteral("Second?"));
        second->Move(300, 1200, 3000, 600);
        yes2 = form.add<OptionButton>(QStringLiteral("Option3"), QStringLiteral("Yes"), second);
        yes2->Move(300, 240, 900, 255);
        for (OptionButton* o : {yes1, no1, yes2}) {
            o->Click = [this, o] { clicks << o->Name(); };
        }
        form.Show();
    }
    test::TestApp t;
    Form form;
    Frame *first, *second;
    OptionButton *yes1, *no1, *yes2;
    QStringList clicks;
};

TEST_F(ChoiceControlsTest, SelectingByCodeOrByTheOperatorRunsClickAndClearsTheOthersOfTheFrame) {
    EXPECT_FALSE(yes1->Value());
    EXPECT_FALSE(no1->Value());  // a new group has no answer

    yes1->setValue(true);
    yes2->setValue(true);  // another frame: the first keeps its answer
    EXPECT_TRUE(yes1->Value());
    QTest::mouseClick(no1, Qt::LeftButton, {}, QPoint(6, no1->height() / 2));  // on the dot
    EXPECT_FALSE(yes1->Value());
    EXPECT_TRUE(no1->Value());
    EXPECT_TRUE(yes2->Value());
    no1->setValue(true);  // already selected: nothing happens
    // Clearing runs no handler.
    EXPECT_EQ(clicks, (QStringList{"Option1", "Option3", "Option2"}));
}

TEST_F(ChoiceControlsTest, CodeCanLeaveAGroupWithoutAnAnswer) {
    no1->setValue(true);
    no1->setValue(false);
    EXPECT_FALSE(no1->Value());
    EXPECT_FALSE(yes1->Value());
    // The group still works as one afterwards.
    yes1->setValue(true);
    no1->setValue(true);
    EXPECT_FALSE(yes1->Value());
}

TEST_F(ChoiceControlsTest, OptionsSitInTheirFrameAndScaleWithTheWindow) {
    EXPECT_EQ(no1->parentWidget(), first);
    EXPECT_EQ(no1->geometry().topLeft(), QPoint(100, 16));  // frame coordinates, pixels
    ResizeForm(form, t.screen(), t.dialogs());              // 28800 x 16200: x3 across, x2.25 down
    EXPECT_DOUBLE_EQ(first->Left(), 900);
    EXPECT_DOUBLE_EQ(first->Top(), 675);
    EXPECT_DOUBLE_EQ(no1->Left(), 4500);
    EXPECT_DOUBLE_EQ(no1->Top(), 540);
    EXPECT_DOUBLE_EQ(no1->FontSize(), 8.25 * 2.25);
    EXPECT_TRUE(t.dialogs().shown().empty());
}

}  // namespace
}  // namespace qf
