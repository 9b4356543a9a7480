// The rig command test window against the fake rig on a socat pair: what its two Sends put
// on the wire while the rig is polled.
#include "rig/RigFixture.h"
#include "rig/frmFrequencyTest.h"
#include "support/FakeRig.h"
#include "support/PtyPair.h"
#include "support/RigStart.h"

#include <QRegularExpression>
#include <QTimer>

#include <memory>

namespace qf::test {
namespace {

class CommandTestWindowTest : public RigFixture {
  protected:
    void SetUp() override {
        if (!PtyPair::socatInstalled()) GTEST_SKIP() << "socat is not installed";
        ASSERT_TRUE(plugFakeRig(t.serialPorts(), pty, rig));
        w().Show();
    }
    // Polling the model on the pair; whatever the start sent is out of the way.
    void poll(const char* model) {
        choose(QLatin1String(model));
        w().optComm[1]->setValue(true);
        w().Command1_Click();
        ASSERT_TRUE(polling());
        (void)rig->receivedUntilQuiet();
        rig->clearReceived();
    }
    frmFrequencyTest& test() { return t.app().forms().frmFrequencyTest(); }
    // The first Send with this text; what the rig got.
    QByteArray send(const QString& text, bool hex) {
        test().Text1->setText(text);
        test().Check1->setValue(hex ? 1 : 0);
        rig->clearReceived();
        test().Command1->Press();
        QByteArray got = rig->receivedUntilQuiet();
        return got.replace("FA;", "").replace("MD;", "");
    }
    PtyPair pty;
    std::unique_ptr<FakeRig> rig;
};

TEST_F(CommandTestWindowTest, ChangeFrequencyOpensTheTestOnlyWhilePolling) {
    w().Command3->Press();
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title,
              QStringLiteral("You must be polling your rig to test this function."));
    EXPECT_FALSE(t.app().forms().frequencyTestSlot().isLoaded());

    poll("Kenwood");
    for (int round = 0; round < 2; ++round) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            frmFrequencyTest* f = t.app().forms().frequencyTestSlot().peek();
            ASSERT_NE(f, nullptr);
            EXPECT_TRUE(f->isModal());
            EXPECT_EQ(f->Caption(), QStringLiteral("Test Change Frequency Function"));
            EXPECT_EQ(f->Text1->Text(), QStringLiteral("FA00028475000;"));
            EXPECT_EQ(f->Text2->Text(), QStringLiteral("28.475"));
            EXPECT_EQ(f->Check1->Value(), 0);
            f->Text1->setText(QStringLiteral("FA;"));
            f->Check1->setValue(1);
            f->close();
            ran = true;
        });
        w().Command3->Press();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(t.app().forms().frequencyTestSlot().isLoaded());
    }
    EXPECT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_TRUE(polling());
}

TEST_F(CommandTestWindowTest, TheFirstSendWritesTheTrimmedTextAsItStands) {
    poll("Kenwood");
    struct Case {
        const char* text;
        QByteArray sent;
    };
    const Case cases[] = {{"FA00028475000;", "FA00028475000;"},
                          {"  FA00014025000;   ", "FA00014025000;"},
                          {" MD 2; ", "MD 2;"},
                          {"", ""},
                          {"    ", ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(send(QLatin1String(c.text), false), c.sent) << c.text;
    }
    EXPECT_TRUE(polling());
    EXPECT_TRUE(t.dialogs().messages().empty());
}

TEST_F(CommandTestWindowTest, NothingGoesOutWhereThereIsNoPort) {
    poll("Ten Tec Pegasus");
    EXPECT_FALSE(w().comComm1->PortOpen());
    EXPECT_EQ(send(QStringLiteral("FA00028475000;"), false), QByteArray());
    EXPECT_TRUE(t.dialogs().messages().empty());
}

TEST_F(CommandTestWindowTest, TheSecondSendIgnoresATextThatIsNoNumber) {
    poll("Kenwood");
    for (const char* text : {"", "abc", "28.475.1", "1/"}) {
        test().Text2->setText(QLatin1String(text));
        rig->clearReceived();
        test().Command2->Press();
        EXPECT_EQ(rig->receivedUntilQuiet().replace("FA;", "").replace("MD;", ""), QByteArray()) << text;
        EXPECT_TRUE(polling());
    }
    EXPECT_TRUE(t.dialogs().messages().empty());
}

TEST_F(CommandTestWindowTest, HexPairsGoOutAsBytesOrNotAtAll) {
    poll("Kenwood");
    struct Case {
        const char* text;
        QByteArray sent;
    };
    const Case cases[] = {{"FE FE 70 E0", QByteArray::fromHex("FEFE70E0")},
                          {"FE-FE-70-E0", QByteArray::fromHex("FEFE70E0")},
                          {" fe fe 70 e0 ", QByteArray::fromHex("FEFE70E0")},
                          {"00", QByteArray(1, '\0')},
                          {"FE FE 7G E0", {}},
                          {"FA00028475000;", {}}};
    for (const Case& c : cases) {
        EXPECT_EQ(send(QLatin1String(c.text), true), c.sent) << c.text;
    }
    EXPECT_TRUE(polling());
    EXPECT_TRUE(t.dialogs().messages().empty());
}

TEST_F(CommandTestWindowTest, TheSecondSendTunesThroughChangeFrequency) {
    poll("Kenwood");
    rig->clearReceived();
    test().Command2->Press();
    QByteArray got = rig->receivedUntilQuiet();
    got.replace("FA;", "").replace("MD;", "");
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^(MD[0-9];)?FA00028475000;$"))
                    .match(QString::fromLatin1(got))
                    .hasMatch())
        << got.constData();
    EXPECT_TRUE(polling());
    EXPECT_EQ(test().Text2->Text(), QStringLiteral("28.475"));
}

}  // namespace
}  // namespace qf::test
