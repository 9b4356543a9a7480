// The tuning window on its own: presets, steps, enabling, the key filter and the scan on the
// test clock. What the window hands to the rig window is listened to at its two calls.
#include "rig/FrequencyText.h"
#include "rig/RigFixture.h"
#include "rig/frmRigTune.h"

#include <QApplication>
#include <QTest>

#include <vector>

namespace qf::test {
namespace {

class TuningWindowTest : public RigFixture {
  protected:
    TuningWindowTest() { t.app().station().RigModel = QStringLiteral("Kenwood"); }
    void SetUp() override {
        frmRigTune& w = tune();
        w.ChangeFrequencyCall = [this](float mhz) { sent.push_back(mhz); };
        w.ChangeModeCall = [this](const QString& mode) { modes.push_back(mode); };
        w.Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        settle();
    }
    frmRigTune& tune() { return t.app().forms().frmRigTune(); }
    static void settle() { QCoreApplication::processEvents(); }
    static void type(const QString& keys) {
        for (QChar c : keys) {
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
            settle();
        }
    }
    static void key(Qt::Key k) {
        QTest::keyClick(QApplication::focusWidget(), k);
        settle();
    }
    void typeInto(TextBox* box, const QString& keys) {
        box->SetFocus();
        settle();
        type(keys);
    }
    bool stepsEnabled() {
        int on = 0;
        for (CommandButton* b : tune().cmdTune) on += b->Enabled() ? 1 : 0;
        EXPECT_TRUE(on == 0 || on == 10) << on;
        return on == 10;
    }
    std::vector<float> sent;
    std::vector<QString> modes;
};

TEST_F(TuningWindowTest, OpensFreshOnItsDesignScaledToTheScreen) {
    frmRigTune& w = tune();
    // 1920 x 1080: widths and lefts x 3, heights and tops x 2.25; controls' fonts capped at 1.5.
    // The window is its 4905 x 5010 client area with border and title bar around it.
    const double outerW = 4905 + 2 * Form::kBorderTwips;
    const double outerH = 5010 + 2 * Form::kBorderTwips + Form::kCaptionTwips;
    EXPECT_DOUBLE_EQ(w.Width(), outerW * 3.0);
    EXPECT_DOUBLE_EQ(w.Height(), outerH * 2.25);
    EXPECT_DOUBLE_EQ(w.Left(), (28800 - outerW * 3.0) / 2);
    EXPECT_DOUBLE_EQ(w.FontSize(), 8.25 * 3);
    EXPECT_DOUBLE_EQ(w.cmdBand[9]->Left(), 720 * 3.0);
    EXPECT_DOUBLE_EQ(w.cmdBand[9]->Top(), 600 * 2.25);
    EXPECT_EQ(w.cmdBand[9]->Caption(), QStringLiteral("10"));
    EXPECT_DOUBLE_EQ(w.cmdTune[3]->Left(), 720 * 3.0);
    EXPECT_DOUBLE_EQ(w.cmdTune[3]->Top(), 2880 * 2.25);
    EXPECT_DOUBLE_EQ(w.Label3->FontSize(), 9.75 * 1.5);
    EXPECT_TRUE(w.Label3->FontBold());
    EXPECT_EQ(w.Caption(), QStringLiteral(" Change Frequency and Mode (Ctrl G (Go))"));
    EXPECT_EQ(w.txtFreq->Text(), QString());
    EXPECT_EQ(w.txtFrom->Text(), QStringLiteral("1.8"));
    EXPECT_EQ(w.txtTo->Text(), QStringLiteral("54"));
    EXPECT_EQ(w.chkScan->Value(), 0);
    EXPECT_TRUE(w.Option4->Value());
    EXPECT_FALSE(stepsEnabled());
    EXPECT_EQ(QApplication::focusWidget(), w.txtFreq);
}

TEST_F(TuningWindowTest, BandPresetsFillTheBoxAndTune) {
    struct Case {
        int index;
        const char* text;
    };
    const Case cases[] = {{2, "5.368"}, {10, "52"}, {15, "1270"}, {0, "1.9"}, {12, "223.5"}};
    for (const Case& c : cases) {
        sent.clear();
        tune().cmdBand[static_cast<size_t>(c.index)]->Press();
        EXPECT_EQ(tune().txtFreq->Text(), QLatin1String(c.text));
        ASSERT_EQ(sent.size(), 1u) << c.text;
        EXPECT_EQ(sent[0], QByteArray(c.text).toFloat());
    }
    EXPECT_TRUE(stepsEnabled());
}

TEST_F(TuningWindowTest, StepsAddInDoubleAndTuneToTheSum) {
    struct Case {
        const char* start;
        int index;
        const char* text;
    };
    const Case cases[] = {{"14.175", 0, "14.17501"}, {"1.9", 3, "0.9"},    {"7", 4, "7.005"},
                          {"7", 7, "6.999"},         {"14", 8, "14.0001"}, {"28.5", 1, "28.49999"},
                          {"3.5", 2, "4.5"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        sent.clear();
        tune().txtFreq->setText(QLatin1String(c.start));
        tune().cmdTune[static_cast<size_t>(c.index)]->Press();
        settle();
        EXPECT_EQ(tune().txtFreq->Text(), QLatin1String(c.text));
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0], QByteArray(c.text).toFloat());
        EXPECT_EQ(QApplication::focusWidget(), tune().cmdDone);
    }
}

TEST_F(TuningWindowTest, AValueThatIsNoFrequencySendsNothing) {
    const QString huge = QStringLiteral("1") + QString(40, QLatin1Char('0'));
    struct Case {
        QString start;
        int index;  // -1: Go
        QString text;
    };
    const Case cases[] = {{QStringLiteral("0.5"), 3, QStringLiteral("-0.5")},
                          {QStringLiteral("0"), -1, QStringLiteral("0")},
                          {huge, -1, huge},
                          {huge, 2, QStringLiteral("1e+40")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start.toStdString());
        tune().txtFreq->setText(c.start);
        if (c.index < 0) {
            tune().Command1->Press();
        } else {
            tune().cmdTune[static_cast<size_t>(c.index)]->Press();
        }
        EXPECT_EQ(tune().txtFreq->Text(), c.text);
    }
    // The scan leaves such a box as it is.
    tune().txtFreq->setText(huge);
    tune().chkScan->setValue(1);
    t.clock().advance(299 * 3);
    EXPECT_EQ(tune().txtFreq->Text(), huge);
    EXPECT_TRUE(sent.empty());
}

TEST_F(TuningWindowTest, StepButtonsFollowWhetherTheBoxReadsAsANumber) {
    typeInto(tune().txtFreq, QStringLiteral("1"));
    EXPECT_TRUE(stepsEnabled());
    type(QStringLiteral("/"));
    EXPECT_EQ(tune().txtFreq->Text(), QStringLiteral("1/"));
    EXPECT_FALSE(stepsEnabled());
    tune().Command1->Press();
    key(Qt::Key_Return);
    EXPECT_TRUE(sent.empty());
    key(Qt::Key_Backspace);
    EXPECT_TRUE(stepsEnabled());
    tune().txtFreq->setText(QString());
    EXPECT_FALSE(stepsEnabled());
}

TEST_F(TuningWindowTest, TheThreeBoxesTakeDigitsPointAndSlashOnly) {
    for (TextBox* box : {tune().txtFreq, tune().txtFrom, tune().txtTo}) {
        SCOPED_TRACE(box->Name().toStdString());
        box->setText(QString());
        typeInto(box, QStringLiteral("a1-4,.0 2/+9e"));
        EXPECT_EQ(box->Text(), QStringLiteral("14.02/9"));
        key(Qt::Key_Backspace);
        EXPECT_EQ(box->Text(), QStringLiteral("14.02/"));
    }
}

TEST_F(TuningWindowTest, EnterInTheBoxGoesAndLeavesTheCaretAtTheEnd) {
    typeInto(tune().txtFreq, QStringLiteral("14.025"));
    tune().txtFreq->setSelStart(2);
    key(Qt::Key_Return);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], 14.025f);
    EXPECT_EQ(tune().txtFreq->Text(), QStringLiteral("14.025"));
    EXPECT_EQ(QApplication::focusWidget(), tune().txtFreq);
    EXPECT_EQ(tune().txtFreq->SelStart(), 6);
}

TEST_F(TuningWindowTest, NoRigModelMeansGoSendsNothing) {
    t.app().station().RigModel = QStringLiteral("None");
    tune().cmdBand[5]->Press();
    tune().txtFreq->setText(QStringLiteral("14.1"));
    tune().cmdTune[0]->Press();
    EXPECT_EQ(tune().txtFreq->Text(), QStringLiteral("14.10001"));
    EXPECT_TRUE(sent.empty());
}

TEST_F(TuningWindowTest, ModeButtonsPassTheirModeWhateverTheModel) {
    t.app().station().RigModel = QStringLiteral("None");
    const std::pair<CommandButton*, const char*> buttons[] = {
        {tune().cmdCW, "CW"}, {tune().cmdUSB, "USB"}, {tune().cmdLSB, "LSB"},
        {tune().cmdAM, "AM"}, {tune().cmdFM, "FM"},   {tune().cmdRTTY, "RTTY"}};
    for (const auto& [b, mode] : buttons) {
        modes.clear();
        b->Press();
        settle();
        ASSERT_EQ(modes.size(), 1u);
        EXPECT_EQ(modes[0], QLatin1String(mode));
        EXPECT_EQ(QApplication::focusWidget(), tune().cmdDone);
    }
    EXPECT_TRUE(sent.empty());
}

TEST_F(TuningWindowTest, ScanClimbsToTheTopAndReturnsToFrom) {
    tune().txtFreq->setText(QStringLiteral("53.99999"));
    tune().chkScan->setValue(1);
    EXPECT_EQ(tune().txtFreq->Text(), QStringLiteral("53.99999"));  // a number: kept
    t.clock().advance(298);
    EXPECT_TRUE(sent.empty());
    t.clock().advance(1);
    EXPECT_EQ(tune().txtFreq->Text(), QStringLiteral("54."));
    t.clock().advance(299);
    EXPECT_EQ(tune().txtFreq->Text(), QStringLiteral("1.8"));
    t.clock().advance(299);
    EXPECT_EQ(tune().txtFreq->Text(), QStringLiteral("1.80001"));
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0], 54.0f);
    EXPECT_EQ(sent[1], 1.8f);
}

TEST_F(TuningWindowTest, ScanStepsFollowTheChosenOption) {
    struct Case {
        OptionButton* frmRigTune::*option;
        const char* next;
    };
    const Case cases[] = {{&frmRigTune::Option5, "14.0275"},
                          {&frmRigTune::Option1, "14.0255"},
                          {&frmRigTune::Option2, "14.0251"},
                          {&frmRigTune::Option3, "14.02503"},
                          {&frmRigTune::Option4, "14.02501"}};
    tune().chkScan->setValue(1);
    for (const Case& c : cases) {
        (tune().*c.option)->setValue(true);
        tune().txtFreq->setText(QStringLiteral("14.025"));
        t.clock().advance(299);
        EXPECT_EQ(tune().txtFreq->Text(), QLatin1String(c.next));
    }
}

TEST_F(TuningWindowTest, TickingScanOnAnEmptyBoxStartsFromFrom) {
    tune().txtFrom->setText(QStringLiteral("7.0"));
    tune().chkScan->setValue(1);
    settle();
    EXPECT_EQ(tune().txtFreq->Text(), QStringLiteral("7.0"));
    EXPECT_EQ(QApplication::focusWidget(), tune().Command1);
    t.clock().advance(299);
    EXPECT_EQ(tune().txtFreq->Text(), QStringLiteral("7.00001"));
    // A From or To that is no number holds the scan.
    tune().txtTo->setText(QStringLiteral("5/"));
    t.clock().advance(299 * 2);
    EXPECT_EQ(tune().txtFreq->Text(), QStringLiteral("7.00001"));
    EXPECT_EQ(sent.size(), 1u);
}

TEST_F(TuningWindowTest, AnyKeyStopsTheScan) {
    for (Qt::Key k : {Qt::Key_5, Qt::Key_A, Qt::Key_Shift, Qt::Key_Left}) {
        tune().txtFreq->setText(QStringLiteral("14.2"));
        tune().chkScan->setValue(1);
        t.clock().advance(299);
        ASSERT_EQ(tune().txtFreq->Text(), QStringLiteral("14.20001"));
        tune().txtFreq->SetFocus();
        settle();
        key(k);
        EXPECT_EQ(tune().chkScan->Value(), 0) << k;
        const QString now = tune().txtFreq->Text();
        t.clock().advance(299 * 3);
        EXPECT_EQ(tune().txtFreq->Text(), now);
    }
}

TEST(FrequencyText, NumbersAndTheirThreeWritings) {
    struct Read {
        const char* text;
        std::optional<double> value;
    };
    const Read reads[] = {{"14.025", 14.025}, {"7", 7.0},       {"54.", 54.0},  {".5", 0.5},
                          {" 7 ", 7.0},       {"1e-05", 1e-05}, {"-0.9", -0.9}, {"", {}},
                          {".", {}},          {"1/", {}},       {"1.2.3", {}},  {"/5", {}},
                          {"14,025", {}},     {"0x10", {}}};
    for (const Read& r : reads)
        EXPECT_EQ(rig::ReadNumber(QLatin1String(r.text)), r.value) << r.text;
    for (double v : {14.025, 1e38}) EXPECT_TRUE(rig::IsFrequency(v)) << v;
    for (double v : {0.0, -1.0, 1e39}) EXPECT_FALSE(rig::IsFrequency(v)) << v;

    struct Write {
        float value;
        const char* scan;
        const char* chart;
    };
    const Write writes[] = {{14.02501f, "14.02501", "14.025"},
                            {54.0f, "54.", "54.000"},
                            {1.8f, "1.8", "1.800"},
                            {0.5f, ".5", ".500"},
                            {10368.0f, "10368.", "10,368.000"},
                            {1296.1234f, "1296.12341", "1,296.123"},
                            {0.0f, ".", ".000"}};
    for (const Write& w : writes) {
        EXPECT_EQ(rig::ScanText(w.value), QLatin1String(w.scan)) << w.scan;
        EXPECT_EQ(rig::ChartFrequencyText(w.value), QLatin1String(w.chart)) << w.chart;
    }
}

}  // namespace
}  // namespace qf::test
