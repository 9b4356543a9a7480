#include "platform/ListBox.h"
#include "platform/ListView.h"
#include "platform/Menus.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>

namespace qf {
namespace {

class ListViewTest : public ::testing::Test {
protected:
    ListViewTest() : form(t.app().platform(), QStringLiteral("frmList")) {
        list = form.add<ListView>(QStringLiteral("ListView1"));
        list->Move(0, 0, 6000, 3000);
        list->addColumn(QStringLiteral("Rec#"), 750);
        list->addColumn(QStringLiteral("Status"), 0, Qt::AlignHCenter);
        list->addColumn(QStringLiteral("Call"), 1500);
        form.Show();
    }
    test::TestApp t;
    Form form;
    ListView* list;
};

TEST_F(ListViewTest, ColumnsRowsAndTheKeptSort) {
    EXPECT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->columnWidth(1), 0);  // present but not visible
    EXPECT_EQ(list->QTreeWidget::columnWidth(2), 100);
    for (int r : {2, 10, 1}) {
        list->addRow({QString::number(r), QString(), QStringLiteral("call%1").arg(r)});
    }
    list->addRow({QStringLiteral("11"), QString(), QStringLiteral("CALL11")}, true);
    EXPECT_EQ(list->text(1, 0), QStringLiteral("11"));
    EXPECT_EQ(list->sortColumn(), -1);
    const auto order = [this](int column) {
        QStringList texts;
        for (int r = 1; r <= list->count(); ++r) texts << list->text(r, column);
        return texts;
    };
    list->sortBy(0);  // as text: 10 and 11 land next to 1
    EXPECT_EQ(order(0), (QStringList{"1", "10", "11", "2"}));
    list->sortBy(2);  // ignoring case
    EXPECT_EQ(order(2), (QStringList{"call1", "call10", "CALL11", "call2"}));
    // Rows added later take their sorted place: added at the top, ahead of the rows of an equal
    // key; added at the end, after them.
    list->addRow({QStringLiteral("0"), QString(), QStringLiteral("AAA")});
    EXPECT_EQ(list->addRow({QStringLiteral("12"), QString(), QStringLiteral("CALL1")}, true), 2);
    EXPECT_EQ(list->addRow({QStringLiteral("13"), QString(), QStringLiteral("Call1")}), 4);
    EXPECT_EQ(order(0), (QStringList{"0", "12", "1", "13", "10", "11", "2"}));
    // A refill keeps the sort; rows of an equal key stay in the order given.
    list->setRows({{"5", "", "b"}, {"6", "", "A"}, {"7", "", "a"}});
    EXPECT_EQ(order(0), (QStringList{"6", "7", "5"}));
    list->removeRow(1);
    EXPECT_EQ(order(0), (QStringList{"7", "5"}));
    list->setColumnWidth(2, list->columnWidth(2) * 0.9);
    EXPECT_DOUBLE_EQ(list->columnWidth(2), 1350);
    // New columns start unsorted.
    list->clearColumns();
    EXPECT_EQ(list->sortColumn(), -1);
}

TEST_F(ListViewTest, NoRowIsSelectedUntilTheOperatorPicksOne) {
    QStringList events;
    list->Click = [&] { events << QStringLiteral("click %1").arg(list->selectedRow()); };
    list->MouseUp = [&](int button, int, double, double) { events << QStringLiteral("up %1").arg(button); };
    list->ColumnClick = [&](int column) { events << QStringLiteral("column %1").arg(column); };
    for (int r = 1; r <= 3; ++r) list->addRow({QString::number(r), QString(), QStringLiteral("K%1").arg(r)});
    list->setFocus();
    EXPECT_EQ(list->selectedRow(), 0);
    const QRect second = list->visualItemRect(list->topLevelItem(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, second.center());
    QTest::mouseClick(list->header()->viewport(), Qt::LeftButton, {},
                      QPoint(list->header()->sectionPosition(2) + 5, 5));
    EXPECT_EQ(events, (QStringList{"click 2", "up 1", "up 2", "column 3"}));
    list->clearRows();
    list->addRow({QStringLiteral("1"), QString(), QStringLiteral("K1")});
    EXPECT_EQ(list->selectedRow(), 0);
}

// A column too narrow for its header shows it shortened with an ellipsis, not cut mid-letter,
// whatever made it narrow: its width, a larger font, the operator's drag. The header itself stays
// whole for the code that reads it (the copy to the clipboard) and as the tooltip.
TEST_F(ListViewTest, ANarrowColumnShortensItsHeaderAndKeepsItWhole) {
    QTreeWidgetItem* shown = list->headerItem();
    const auto expectShortened = [&](const char* how) {
        EXPECT_TRUE(shown->text(2).endsWith(QChar(0x2026)))
            << how << ": " << shown->text(2).toStdString();
        EXPECT_EQ(shown->toolTip(2), QStringLiteral("Call")) << how;
        EXPECT_EQ(list->columnHeader(2), QStringLiteral("Call")) << how;
    };
    const auto expectWhole = [&](const char* how) {
        EXPECT_EQ(shown->text(2), QStringLiteral("Call")) << how;
        EXPECT_TRUE(shown->toolTip(2).isEmpty()) << how;
    };
    expectWhole("as added");
    list->setColumnWidth(2, 240);
    expectShortened("narrowed");
    list->setColumnWidth(2, 1500);
    expectWhole("widened again");
    list->setColumnWidth(2, 600);
    expectWhole("40 pixels at 8.25 points");
    list->setFontSize(24);
    expectShortened("the font grown");
    list->setFontSize(8.25);
    expectWhole("the font back");
    list->header()->resizeSection(2, 16);
    expectShortened("dragged narrow");
}

TEST(MenuTest, OnlyTheHandlerChangesATick) {
    test::TestApp t;
    Form form(t.app().platform(), QStringLiteral("frmMenus"));
    MenuItem* options = MenuItem::menu(form, QStringLiteral("mnuOptions"), QStringLiteral("&Options"));
    MenuItem* list = MenuItem::item(form, QStringLiteral("mnuListPrevious"),
                                    QStringLiteral("&List Previous Contacts"), options);
    options->addSeparator();
    MenuItem* clear = MenuItem::item(form, QStringLiteral("mnuClear"), QStringLiteral("&Clear"));
    QList<bool> seen;
    list->Click = [&] {
        seen << list->Checked();
        list->setChecked(!list->Checked());
    };
    int clears = 0;
    clear->Click = [&] { ++clears; };
    list->action()->trigger();
    list->action()->trigger();
    EXPECT_EQ(seen, (QList<bool>{false, true}));
    EXPECT_FALSE(list->Checked());
    clear->action()->trigger();
    EXPECT_EQ(clears, 1);
    EXPECT_FALSE(clear->Checked());  // an item without a handler's tick stays unticked
    EXPECT_TRUE(list->action()->shortcut().isEmpty());
    EXPECT_DOUBLE_EQ(form.ScaleHeight(),
                     form.Height() - 2 * Form::kBorderTwips - Form::kCaptionTwips - Form::kMenuBarTwips);
    list->setEnabled(false);
    EXPECT_FALSE(list->Enabled());
}

}  // namespace
}  // namespace qf

namespace qf {
namespace {

TEST(ListBoxTest, SortedInsertIgnoresCaseAndKeepsEqualItemsInArrivalOrder) {
    test::TestApp t;
    Form form(t.app().platform(), QStringLiteral("frmLists"));
    auto* list = form.add<ListBox>(QStringLiteral("List2"), true);
    for (const char* c : {"WSH", "ait", "HEN", "Ano", "hen", "AIT", "BEC", "wsh", "AAA"})
        list->AddItem(QString::fromLatin1(c));
    QStringList items;
    for (int i = 0; i < list->ListCount(); ++i) items << list->List(i);
    EXPECT_EQ(items, (QStringList{"AAA", "ait", "AIT", "Ano", "BEC", "HEN", "hen", "WSH", "wsh"}));
}

TEST(ListBoxTest, SortedInsertAndClickOnlyFromTheOperator) {
    test::TestApp t;
    Form form(t.app().platform(), QStringLiteral("frmLists"));
    auto* list = form.add<ListBox>(QStringLiteral("List2"), true);
    list->Move(0, 0, 2000, 3000);
    form.Show();
    int clicks = 0;
    list->Click = [&] { ++clicks; };
    for (const char* c : {"WSH", "ait", "HEN", "Ano"}) list->AddItem(QString::fromLatin1(c));
    QStringList items;
    for (int i = 0; i < list->ListCount(); ++i) items << list->List(i);
    EXPECT_EQ(items, (QStringList{"ait", "Ano", "HEN", "WSH"}));
    EXPECT_EQ(list->find(QStringLiteral("hen")), 2);
    list->RemoveItem(0);
    list->setListIndex(1);
    EXPECT_EQ(list->Text(), QStringLiteral("HEN"));
    list->Clear();
    EXPECT_EQ(clicks, 0);
    list->AddItem(QStringLiteral("AIT"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list->Text(), QStringLiteral("AIT"));
}

}  // namespace
}  // namespace qf
