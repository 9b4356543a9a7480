#include "common/QuotedFieldLine.h"
#include "logging/LoggingFixture.h"

#include <QClipboard>
#include <QGuiApplication>

#include <optional>

namespace qf {
namespace {

QSORecord contact(int n, const QString& county, const QString& mode, const QTime& utc,
                  const QString& spc = QString()) {
    QSORecord q;
    q.Call = QStringLiteral("K%1ZZ").arg(n);
    q.NameSent = QStringLiteral("JOE");
    q.NameRcvd = QStringLiteral("OP%1").arg(n);
    q.SPC = spc;
    q.CountyRcvd = county;
    q.QSODate = QStringLiteral("2026/09/12");
    q.QSOTime = utc.toString(QStringLiteral("HH:mm:ss"));
    q.Mode = mode;
    q.Band = QStringLiteral("20");
    return q;
}

class LoggingWindowTest : public test::LoggingFixture {
protected:
    // 25 contacts a minute apart up to 14:59 UTC, over three counties and three modes.
    void writeLog25() {
        std::vector<QSORecord> log;
        const char* counties[] = {"AIT", "HEN", "STL"};
        const char* modes[] = {"CW", "PH", "DG"};
        for (int i = 1; i <= 25; ++i) {
            log.push_back(contact(i, QString::fromLatin1(counties[i % 3]), QString::fromLatin1(modes[i % 3]),
                                  QTime(14, 34 + i, 0)));
        }
        writeLog(log);
    }
};

TEST_F(LoggingWindowTest, LoadRunsInOrderAndShowsTheCounts) {
    writeLog25();
    QStringList seen;
    t.dialogs().onShown = [&](const ShownDialog& d) {
        if (d.title != QLatin1String("Open existing log?")) return;
        Outfrm* w = t.app().forms().outfrmSlot().peek();
        seen << w->lblDialog->Caption() << QString::number(w->ListView1->columnCount())
             << QString::number(w->txtDX->columnCount()) << QString::number(t.app().log().QSOCount)
             << QString::number(t.app().tables().counties.CountyCount);
    };
    Outfrm& w = openOut();
    EXPECT_EQ(seen, (QStringList{"Select a band and mode. Click Log \"Time On\" below!", "8", "8", "0", "96"}));
    const ShownDialog question = t.dialogs().messages().at(0);
    EXPECT_EQ(question.buttons, Buttons::YesNo);
    EXPECT_EQ(question.defaultButton, 0);
    EXPECT_EQ(t.app().log().QSOCount, 25);
    EXPECT_DOUBLE_EQ(w.Width(), 28800);
    EXPECT_DOUBLE_EQ(w.ListView1->columnWidth(0), 28800 * 550 / 9600.0);
    EXPECT_EQ(w.ListView1->columnHeader(3), QStringLiteral("County"));
    EXPECT_DOUBLE_EQ(w.txtDX->columnWidth(3), 0);
    EXPECT_TRUE(w.mnuSSB->Checked());
    EXPECT_FALSE(w.mnu160->Checked());
    EXPECT_TRUE(w.mnuBandItems[3]->Checked());
    EXPECT_EQ(w.Label24->Caption(), QStringLiteral("20"));
    EXPECT_EQ(w.Label30->Caption(), QStringLiteral("PH"));
    EXPECT_EQ(w.Label2->Caption(), QStringLiteral("K9ABC"));
    EXPECT_EQ(w.Label25->Caption(), QStringLiteral("IL"));
    EXPECT_EQ(w.lblttrack->Caption(), QStringLiteral("00:10:00"));
    EXPECT_EQ(w.Caption(), QStringLiteral("Ardlow's Quillfen 1.8") + QString(49, QLatin1Char(' ')) +
                               QStringLiteral("www.quillfen.example"));
    EXPECT_EQ(t.app().run().PossibleDupesOn, 1);
    EXPECT_FALSE(w.cmdEdit->Visible());
    EXPECT_FALSE(t.app().forms().stationIDSlot().isLoaded());
}

TEST_F(LoggingWindowTest, ScoreMultipliersRatesAndCountyLists) {
    writeLog25();
    Outfrm& w = openOut();
    // 9 PH, 8 CW and 8 DG contacts; 3 counties worked; 50 points x 3.
    EXPECT_EQ(w.lblTotCon->Caption(), QStringLiteral("9"));
    EXPECT_EQ(w.lblsectogo->Caption(), QStringLiteral("16"));
    EXPECT_EQ(w.lblTotSec->Caption(), QStringLiteral("3"));
    EXPECT_EQ(w.lblTotScore->Caption(), QStringLiteral("150"));
    // Contacts at 14:35 to 14:59 UTC against 15:00: 19 in the last 20 minutes (x 3), 25 in the hour.
    EXPECT_EQ(w.lblAQSO20->Caption(), QStringLiteral("57"));
    EXPECT_EQ(w.lblAQSO60->Caption(), QStringLiteral("25"));
    EXPECT_EQ(w.List2->ListCount(), 3);
    EXPECT_EQ(w.lblStation.at(5)->Caption(), QStringLiteral("Counties Worked - 3"));
    EXPECT_EQ(w.lblStation.at(7)->Caption(), QStringLiteral("Counties To Go - %1").arg(w.List1->ListCount()));
    EXPECT_EQ(w.List1->find(QStringLiteral("AIT")), -1);
    EXPECT_GE(w.List1->find(QStringLiteral("WSH")), 0);
    // Ten minutes on, the rate timer counts again.
    t.clock().advance(10 * 60 * 1000);
    EXPECT_EQ(w.lblAQSO20->Caption(), QStringLiteral("27"));
    EXPECT_EQ(w.lblAQSO60->Caption(), QStringLiteral("25"));
    // A county click fills the county box.
    w.List1->setListIndex(w.List1->find(QStringLiteral("WSH")));
    w.List1->Click();
    EXPECT_EQ(w.txtSec->Text(), QStringLiteral("WSH"));
}

TEST_F(LoggingWindowTest, ClocksAndTheOperatingTime) {
    writeLog({});
    Outfrm& w = openOut();
    t.clock().advance(1000);
    EXPECT_EQ(w.lblutctime->Caption(), QStringLiteral("15:00:01"));
    EXPECT_EQ(w.lblCurTime->Caption(), QStringLiteral("10:00:01"));
    EXPECT_EQ(w.Label16->Caption(), QStringLiteral("AM"));
    EXPECT_EQ(w.lblttrack->Caption(), QStringLiteral("00:10:00"));  // not logged on: still
    w.cmdLogOn->Press();
    EXPECT_EQ(w.cmdLogOn->Caption(), QStringLiteral("&Log \"Time Off\""));
    t.clock().advance(300 * 1000);
    EXPECT_EQ(w.lblttrack->Caption(), QStringLiteral("00:15:00"));
    w.cmdLogOn->Press();
    EXPECT_EQ(t.app().station().AccumulatedOperatingSeconds, 900);
    EXPECT_EQ(w.lblDialog->Caption(), QStringLiteral("Logged Off at 9/12/26 15:05:01"));
    StationSettings saved;
    ReadQSOPref(saved, t.files());
    EXPECT_EQ(saved.AccumulatedOperatingSeconds, 900);
}

TEST_F(LoggingWindowTest, NoThenYesBacksUpAndEmptiesTheLog) {
    writeLog25();
    const QByteArray before = t.readFile(QStringLiteral("log.txt"));
    ASSERT_TRUE(WriteQSOPref(t.app().station(), t.files()));  // 600 seconds operated so far
    t.dialogs().answerInput(QStringLiteral("YES"));
    Outfrm& w = openOut(Answer::No);
    EXPECT_EQ(t.app().log().QSOCount, 0);
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), QByteArray());
    EXPECT_EQ(t.readFile(t.app().startup().DataFolder + QStringLiteral("/BACKUP/202609121000.log")), before);
    EXPECT_EQ(w.lblTotScore->Caption(), QStringLiteral("0"));
    EXPECT_EQ(w.lblStation.at(5)->Caption(), QStringLiteral("Counties Worked - 0"));
    EXPECT_EQ(w.List1->ListCount(), 87);  // one to-go item per county
    // The operating time starts again, and is saved so at once.
    EXPECT_EQ(w.lblttrack->Caption(), QStringLiteral("00:00:00"));
    StationSettings saved;
    ReadQSOPref(saved, t.files());
    EXPECT_EQ(saved.AccumulatedOperatingSeconds, 0);
}

TEST_F(LoggingWindowTest, CloseIsRefusedWhileSendingAndBanksTheTimeAfterwards) {
    writeLog25();
    Outfrm& w = openOut();
    w.cmdLogOn->Press();
    t.clock().advance(300 * 1000);
    RunState& run = t.app().run();
    run.CWSending = 1;
    run.CWSendBuffer = QStringLiteral("CQ TEST");
    EXPECT_FALSE(w.Unload(Form::kUnloadFromControlMenu));
    EXPECT_TRUE(run.CWSendBuffer.isEmpty());
    EXPECT_EQ(quits, 0);
    run.CWSending = 0;  // the send loop stops after its character
    EXPECT_TRUE(w.Unload(Form::kUnloadFromControlMenu));
    EXPECT_EQ(quits, 1);
    StationSettings saved;
    ReadQSOPref(saved, t.files());
    EXPECT_EQ(saved.AccumulatedOperatingSeconds, 900);
    // Nothing was logged or deleted: no backup.
    EXPECT_TRUE(QDir(t.app().startup().DataFolder + QStringLiteral("/BACKUP")).isEmpty());
}

TEST_F(LoggingWindowTest, ListLastTwentyOrAllDeleteAndCopy) {
    writeLog25();
    Outfrm& w = openOut();
    ASSERT_EQ(w.ListView1->count(), 20);
    EXPECT_EQ(w.ListView1->text(1, 0), QStringLiteral("25"));
    EXPECT_EQ(w.ListView1->text(20, 0), QStringLiteral("6"));
    EXPECT_EQ(w.ListView1->text(1, 5), QStringLiteral("09/12 14:59"));

    w.mnuCopyListtoClipboard->action()->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 22);  // header, 20 rows, and the empty rest after the last CR LF
    EXPECT_EQ(lines[0], QStringLiteral("Rec#\tCall\tName\tCounty\tName Snt\tDate/Time\tMo\tBnd"));
    EXPECT_EQ(lines[1], QStringLiteral("6\tK6ZZ\tOP6\tAIT\tJOE\t09/12 14:40\tCW\t20"));
    EXPECT_TRUE(lines[20].startsWith(QStringLiteral("25\t")));
    EXPECT_TRUE(lines[21].isEmpty());

    w.cmdList->Press();
    EXPECT_EQ(w.ListView1->count(), 25);
    EXPECT_EQ(w.cmdList->Caption(), QStringLiteral("All"));

    // Edit and Delete with no row picked do nothing.
    w.cmdDelete->Press();
    EXPECT_TRUE(t.dialogs().messages().size() == 1);
    // Record 5 is row 21 of the full list.
    w.ListView1->selectRow(21);
    w.ListView1_Click();
    EXPECT_TRUE(w.cmdDelete->Visible());
    t.dialogs().answerMessage(Answer::Yes);
    w.cmdDelete->Press();
    EXPECT_FALSE(w.cmdDelete->Visible());
    EXPECT_EQ(t.app().log().QSOCount, 24);
    EXPECT_EQ(t.app().log()[5].Call, QStringLiteral("K6ZZ"));
    EXPECT_EQ(w.ListView1->count(), 24);
    RecordReader r(t.readFile(QStringLiteral("log.txt")));
    int records = 0;
    while (!r.atEnd()) {
        readRecord(r);
        ++records;
    }
    EXPECT_EQ(records, 24);
    // The log changed: closing backs it up.
    EXPECT_TRUE(w.Unload());
    EXPECT_FALSE(QDir(t.app().startup().DataFolder + QStringLiteral("/BACKUP")).isEmpty());
}

TEST_F(LoggingWindowTest, FormSizeAnswers) {
    writeLog({});
    Outfrm& w = openOut();
    struct Case {
        std::optional<QString> answer;
        int stored;  // -1: refused
    };
    const Case cases[] = {{QStringLiteral("150"), 100}, {QStringLiteral("10"), 30},   {QStringLiteral("-5"), 30},
                          {QStringLiteral("99.7"), 100}, {QStringLiteral("95.5"), 96}, {QStringLiteral("30.5"), 30},
                          {QStringLiteral("abc"), -1},  {QString(), -1},              {std::nullopt, -1}};
    for (const Case& c : cases) {
        t.app().station().FormSizePercent = 77;
        t.dialogs().clearShown();
        if (c.answer) {
            t.dialogs().answerInput(*c.answer);
        } else {
            t.dialogs().answerInputCancel();
        }
        w.mnuFormSize->action()->trigger();
        const auto msgs = t.dialogs().messages();
        ASSERT_EQ(msgs.size(), 1u);
        if (c.stored < 0) {
            EXPECT_EQ(t.app().station().FormSizePercent, 77);
            EXPECT_EQ(msgs[0].title, QStringLiteral("Numeric Values Required"));
        } else {
            EXPECT_EQ(t.app().station().FormSizePercent, c.stored) << c.answer->toStdString();
            EXPECT_EQ(msgs[0].title,
                      QStringLiteral("For this setting to take effect please restart this program."));
        }
    }
    EXPECT_EQ(t.dialogs().shown().front().defaultText, QStringLiteral("77"));
    EXPECT_DOUBLE_EQ(w.Width(), 28800);  // the running window keeps its size
}

TEST_F(LoggingWindowTest, TaskbarLayoutAndTheSmallerWindow) {
    writeLog({});
    t.screen().set({28800, 16200}, {0, 0, 28800, 15600});
    Outfrm& w = openOut();
    EXPECT_DOUBLE_EQ(w.Left(), 0);
    EXPECT_DOUBLE_EQ(w.Height(), 16200);  // over the whole screen
    w.mnuTaskbar->action()->trigger();
    EXPECT_TRUE(w.mnuTaskbar->Checked());
    EXPECT_EQ(t.app().station().TaskbarDisplay, 1);
    EXPECT_DOUBLE_EQ(w.Height(), 15600);  // over the work area
    EXPECT_DOUBLE_EQ(w.Top(), 0);
    // The county lists reach down to the divider line.
    EXPECT_DOUBLE_EQ(w.List1->Top() + w.List1->Height(), w.Line3->Y1());
    EXPECT_DOUBLE_EQ(w.List2->Height(), w.List1->Height());

    t.app().station().FormSizePercent = 90;
    w.mnuTaskbar->action()->trigger();
    EXPECT_EQ(t.app().station().TaskbarDisplay, 1);
    EXPECT_EQ(t.dialogs().messages().back().title,
              QStringLiteral("Please set your form size to 100% to use this option."));
}

TEST(LoggingWindowSizeTest, ANinetyPercentWindowShrinksWithItsColumns) {
    test::TestApp t;
    t.installShipped({"county2.txt"});
    t.writeFile(QStringLiteral("log.txt"), QByteArray());
    t.app().station().FormSizePercent = 90;
    t.app().station().ContestState = QStringLiteral("MN");
    Outfrm& w = t.app().forms().Outfrm();
    EXPECT_DOUBLE_EQ(w.Width(), 28800 * 0.9);
    EXPECT_DOUBLE_EQ(w.Left(), 28800 * 0.05);
    EXPECT_NEAR(w.ListView1->columnWidth(0), 28800 * 550 / 9600.0 * 0.9, 1e-6);
    EXPECT_NEAR(w.lblDialog->Width(), 4695 * 3 * 0.9, 1e-6);
}

TEST_F(LoggingWindowTest, AMissingCountyTableIsReportedAndTheLogStillLoads) {
    writeLog25();
    QFile::remove(t.work() + QStringLiteral("/county2.txt"));
    openOut();
    const auto msgs = t.dialogs().messages();
    ASSERT_GE(msgs.size(), 2u);
    EXPECT_TRUE(msgs[0].text.contains(QStringLiteral("county2.txt")));
    EXPECT_EQ(t.app().log().QSOCount, 25);
}

TEST_F(LoggingWindowTest, InStateWindowGridDxAndRoverColumn) {
    StationSettings& st = t.app().station();
    st.OutOfStateFlag = 0;
    st.RoverFlag = 0;
    st.OwnCounty = QStringLiteral("HEN");
    st.WorkedColor = 0x008000;
    st.RemainingColor = 0x0000FF;
    writeLog({contact(1, QString(), QStringLiteral("CW"), QTime(14, 50), QStringLiteral("IL")),
              contact(2, QStringLiteral("AIT"), QStringLiteral("CW"), QTime(14, 51), QStringLiteral("MN")),
              contact(3, QString(), QStringLiteral("PH"), QTime(14, 52), QStringLiteral("Germany")),
              contact(4, QString(), QStringLiteral("PH"), QTime(14, 53), QStringLiteral("il")),
              contact(5, QString(), QStringLiteral("PH"), QTime(14, 54), QStringLiteral("Japan"))});
    t.dialogs().answerMessage(Answer::Yes);
    Infrm& w = t.app().forms().Infrm();
    EXPECT_EQ(w.ListView1->columnCount(), 9);
    EXPECT_FALSE(w.mnuChangeCounty->Enabled());
    EXPECT_EQ(w.lblStation.at(4)->Caption(), QStringLiteral("MN County"));
    EXPECT_EQ(w.Label25->Caption(), QStringLiteral("HEN"));
    const int il = t.app().spc().find(QStringLiteral("IL"));
    const int mn = t.app().spc().find(QStringLiteral("MN"));
    EXPECT_EQ(w.Label10[static_cast<size_t>(il)]->ForeColor(), 0x008000u);
    EXPECT_EQ(w.Label10[static_cast<size_t>(mn)]->ForeColor(), 0x0000FFu);  // never marked
    EXPECT_EQ(w.lblTotSec->Caption(), QStringLiteral("2"));                  // IL and AIT
    EXPECT_EQ(w.lblStation.at(5)->Caption(), QStringLiteral("DX All - 2"));
    EXPECT_EQ(w.lblStation.at(8)->Caption(), QStringLiteral("Cnty Wkd - 1"));
    EXPECT_EQ(t.app().tallies().DXLists[3].DXCountryCount, 2);  // 20 m
    w.Label10_MouseMove(il);
    EXPECT_EQ(w.lblDupe->Caption(), QStringLiteral("  Illinois    Total = 2"));
    w.List1->setListIndex(0);
    w.List1->Click();
    EXPECT_EQ(w.txtCntry->Text(), QStringLiteral("Germany"));
}

TEST_F(LoggingWindowTest, RoverGetsTheCountySentColumn) {
    StationSettings& st = t.app().station();
    st.OutOfStateFlag = 0;
    st.RoverFlag = 1;
    writeLog({});
    t.dialogs().answerMessage(Answer::Yes);
    Infrm& w = t.app().forms().Infrm();
    EXPECT_EQ(w.ListView1->columnCount(), 10);
    EXPECT_EQ(w.ListView1->columnHeader(9), QStringLiteral("Cnty Snt"));
    EXPECT_TRUE(w.mnuChangeCounty->Enabled());
}

}  // namespace
}  // namespace qf
