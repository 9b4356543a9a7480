// The CW window: sending through the recorder on the set clock, its boxes, buttons and options,
// its settings file and registry values, and the keying rules that keep no key down.
#include "app/Forms.h"
#include "keying/CWFrm.h"
#include "keying/CWMacros.h"
#include "keying/KeyingFixture.h"
#include "platform/ChoiceControls.h"
#include "platform/Registry.h"
#include "support/PtyPair.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <functional>

namespace qf {
namespace {

class CWFrmTest : public ::testing::Test {
  protected:
    CWFrm& cw() { return t.app().forms().CWFrm(); }
    RunState& run() { return t.app().run(); }
    test::KeyingRecorder& rec() { return t.keying(); }

    // The parallel port at 20 WPM, timed by sleeping: every unit is 60 ms of the set clock.
    void parallelAt20() {
        cw().Option3->setValue(true);
        cw().OptSleep->setValue(true);
        cw().Text11->setText(QStringLiteral("20"));
    }
    void send(const QString& text) {
        run().CWSendBuffer = text;
        cw().LoopThroughCWBuffer();
    }
    // Runs `step` once the send loop first lets events run (between the first two characters).
    void betweenCharacters(std::function<void()> step) {
        QMetaObject::invokeMethod(&cw(), std::move(step), Qt::QueuedConnection);
    }
    qint64 now() { return t.clock().tickMs(); }

    test::TestApp t;
};

TEST_F(CWFrmTest, ParisAtTwentyWordsPerMinuteIsFiftyUnits) {
    parallelAt20();
    cw().txtSpace->setText(QStringLiteral("-4"));
    const qint64 start = now();
    send(QStringLiteral("PARIS "));
    EXPECT_EQ(rec().pattern().size(), 50);
    EXPECT_EQ(now() - start, 3000);
    EXPECT_EQ(run().CWSending, 0);
    EXPECT_FALSE(rec().lineDown());
    // The parallel port's control register at &H378 + 2 gets 3 down and 2 up.
    for (const auto& c : rec().changes()) {
        EXPECT_EQ(c.address, 890);
        EXPECT_TRUE(c.value == 3 || c.value == 2);
    }
}

TEST_F(CWFrmTest, WordGapsFollowTheWordSpaceBox) {
    const struct {
        const char* space;
        int gap;
    } cases[] = {{"0", 11}, {"-4", 7}, {"-8", 3}, {"2", 13}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.space);
        parallelAt20();
        rec().clear();
        cw().txtSpace->setText(QString::fromLatin1(c.space));
        send(QStringLiteral("E E"));
        // The units key up between the end of the first E's dot and the second E's.
        const QString p = rec().pattern();
        EXPECT_EQ(p.indexOf(QLatin1Char('1'), 1) - 1, c.gap);
    }
}

TEST_F(CWFrmTest, UnkeyableCharactersTakeNoTimeAndLowerCaseIsKeyedAsCapitals) {
    parallelAt20();
    const qint64 start = now();
    send(QStringLiteral("e$#t"));
    EXPECT_EQ(test::Keyed(rec()), QStringLiteral("ET"));
    EXPECT_EQ(now() - start, 10 * 60);
}

TEST_F(CWFrmTest, RtsWithPortZeroTimesTheUnitsAndKeysNothing) {
    cw().Option1->setValue(true);
    cw().OptSleep->setValue(true);
    cw().Text11->setText(QStringLiteral("20"));
    const qint64 start = now();
    send(QStringLiteral("EE"));
    EXPECT_EQ(now() - start, 8 * 60);
    EXPECT_TRUE(rec().changes().empty());
    EXPECT_TRUE(t.dialogs().shown().empty());
    EXPECT_EQ(t.beeper().count(), 0);
}

TEST_F(CWFrmTest, AMissingPortIsReportedOncePerMessageAndTheMessageDrains) {
    cw().Option2->setValue(true);
    cw().OptSleep->setValue(true);
    cw().Text11->setText(QStringLiteral("20"));
    cw().Text10->setText(QStringLiteral("5"));  // names no device in the test's folder
    // The hidden window is shown modally after the box; the operator closes it again.
    t.dialogs().onShown = [&](const ShownDialog&) {
        QMetaObject::invokeMethod(
            &cw(), [&] { cw().Command1->Press(); }, Qt::QueuedConnection);
    };
    const qint64 start = now();
    send(QStringLiteral("EEE"));
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("Invalid port."));
    EXPECT_EQ(t.dialogs().messages()[0].text,
              QStringLiteral(
                  "The port you have selected for CW keying is invalid.  Please select another or "
                  "enter 0 for none."));
    EXPECT_EQ(t.beeper().count(), 1);
    EXPECT_TRUE(run().CWSendBuffer.isEmpty());
    EXPECT_TRUE(rec().changes().empty());
    EXPECT_EQ(now() - start, 12 * 60);  // timed without a line, as with port "0"
    EXPECT_TRUE(cw().isHidden());
    // The next message tries the port again.
    send(QStringLiteral("E"));
    EXPECT_EQ(t.dialogs().messages().size(), 2u);
}

TEST_F(CWFrmTest, ARealSerialPortKeysItsLine) {
    if (!test::PtyPair::socatInstalled()) GTEST_SKIP() << "socat is not installed";
    test::PtyPair pty;
    ASSERT_TRUE(pty.available());
    t.serialPorts().setDevicePath(3, pty.first());
    cw().Option1->setValue(true);
    cw().OptSleep->setValue(true);
    cw().Text11->setText(QStringLiteral("20"));
    cw().Text10->setText(QStringLiteral("3"));
    send(QStringLiteral("T"));  // the first character opens the port
    EXPECT_TRUE(cw().Comm->PortOpen());
    EXPECT_EQ(test::Keyed(rec()), QStringLiteral("T"));
    for (const auto& c : rec().changes()) EXPECT_EQ(c.line, test::KeyingRecorder::Line::Rts);
    EXPECT_TRUE(t.dialogs().shown().empty());
    // Port "0" closes it again.
    cw().Text10->setText(QStringLiteral("0"));
    cw().Text10_LostFocus();
    EXPECT_FALSE(cw().Comm->PortOpen());
}

TEST_F(CWFrmTest, NoKeyStaysDownWhenTheSpeedGoes) {
    const struct {
        const char* what;
        std::function<void(CWFrm&)> between;  // runs between the first two characters
    } cases[] = {
        {"speed box emptied", [](CWFrm& w) { w.Text11->setText(QString()); }},
        {"speed set to 0", [](CWFrm& w) { w.Text11->setText(QStringLiteral("0")); }},
        {"speed below 0", [](CWFrm& w) { w.Text11->setText(QStringLiteral("-3")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        parallelAt20();
        rec().clear();
        betweenCharacters([&] { c.between(cw()); });
        const qint64 start = now();
        send(QStringLiteral("TTT"));
        EXPECT_EQ(rec().pattern(), QStringLiteral("1110000"));  // one T, then the line put up
        EXPECT_EQ(now() - start, 6 * 60);                       // and nothing waited
        EXPECT_TRUE(run().CWSendBuffer.isEmpty());
        EXPECT_EQ(run().CWSending, 0);
    }
}

TEST_F(CWFrmTest, BadWordSpaceOrAddressBoxesKeyNothing) {
    for (const char* box : {"space", "address"}) {
        SCOPED_TRACE(box);
        parallelAt20();
        rec().clear();
        if (QLatin1String(box) == QLatin1String("space")) {
            cw().txtSpace->setText(QStringLiteral("1:"));
        } else {
            cw().Text14->setText(QStringLiteral("&HXYZ"));
        }
        const qint64 start = now();
        send(QStringLiteral("CQ CQ"));
        EXPECT_TRUE(rec().changes().empty());
        EXPECT_EQ(now(), start);
        cw().txtSpace->setText(QStringLiteral("0"));
        cw().Text14->setText(QStringLiteral("&H378"));
    }
    // A decimal address works as well as a hexadecimal one.
    cw().Text14->setText(QStringLiteral("632"));
    send(QStringLiteral("E"));
    EXPECT_EQ(rec().changes().front().address, 634);
}

TEST(CWMacrosTest, MarkersAndTheCountyShortenedForCW) {
    CountyTable counties;
    counties.rows.push_back({QStringLiteral("ABCD"), QStringLiteral("AB")});
    counties.rows.push_back({QStringLiteral("LONG"), QStringLiteral("LONGER")});
    counties.rows.push_back({QStringLiteral("ABCD"), QStringLiteral("A")});  // never reached
    counties.CountyCount = 3;
    const struct {
        const char* message;
        const char* call;
        const char* rst;
        const char* county;
        const char* built;
        const char* rstAfter;
    } cases[] = {
        {"TU *", "", "599", "", "TU 5NN", "5NN"},
        {"TU *", "", "579", "", "TU 579", "579"},
        {"TU *", "", "", "", "TU 5NN", "5NN"},
        {"TU", "", "599", "", "TU", "599"},  // no "*": the RST stays as it was
        {"##", "", "", "", "#", ""},         // the second marker is not looked at
        {"#5", "", "", "", "5", ""},
        {"$ DE K9ABC", "  K1XYZ ", "", "", "K1XYZ DE K9ABC", ""},
        {"$$", "W", "", "", "WW", ""},
        {"$ * ^", "K1XYZ", "599", "abcd", "K1XYZ 5NN AB", "5NN"},
        {"^", "", "", "LONG", "LONG", ""},  // the name is not shorter
        {"^", "", "", "NONE", "NONE", ""},
        {"^ TU", "", "", "", " TU", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        QString rst = QString::fromLatin1(c.rst);
        const QString call = QString::fromLatin1(c.call), county = QString::fromLatin1(c.county);
        EXPECT_EQ(ReplaceCWMacros(QString::fromLatin1(c.message), {rst, call, county, counties}),
                  QLatin1String(c.built));
        EXPECT_EQ(rst, QLatin1String(c.rstAfter));
    }
    EXPECT_EQ(AbbreviateCountyForCW(QStringLiteral("ABCD"), counties), QStringLiteral("AB"));
    EXPECT_EQ(AbbreviateCountyForCW(QStringLiteral("abcd"), counties), QStringLiteral("AB"));
    EXPECT_EQ(AbbreviateCountyForCW(QString(), counties), QString());
}

// The function keys, the repeat, the word-space box and the loop buttons, each row on a fresh
// window: what the operator does, and what the window then holds or sends.
TEST(CWWindowCases, KeysRepeatWordSpaceAndLoopButtons) {
    struct Case {
        const char* what;
        std::function<void(test::TestApp&, CWFrm&)> act;
        std::function<void(test::TestApp&, CWFrm&)> check;
    };
    auto keyed = [](test::TestApp& t) { return test::Keyed(t.keying()); };
    const Case cases[] = {
        {"F10 sends Text12",
         [](auto&, CWFrm& w) {
             w.Text12->setText(QStringLiteral("TEN"));
             w.FKeyCW(124);
         },
         [&](auto& t, CWFrm&) { EXPECT_EQ(keyed(t), QStringLiteral("TEN")); }},
        {"F11 sends Text13",
         [](auto&, CWFrm& w) {
             w.Text13->setText(QStringLiteral("ELEVEN"));
             w.FKeyCW(122);
         },
         [&](auto& t, CWFrm&) { EXPECT_EQ(keyed(t), QStringLiteral("ELEVEN")); }},
        {"F12 sends nothing", [](auto&, CWFrm& w) { w.FKeyCW(123); },
         [&](auto& t, CWFrm&) { EXPECT_TRUE(t.keying().changes().empty()); }},
        {"interface 0 only empties the buffer",
         [](auto& t, CWFrm& w) {
             w.Option4->setValue(true);
             w.Text2->setText(QStringLiteral("CQ"));
             t.app().run().CWSendBuffer = QStringLiteral("OLD");
             w.FKeyCW(113);
         },
         [](auto& t, CWFrm&) {
             EXPECT_TRUE(t.app().run().CWSendBuffer.isEmpty());
             EXPECT_TRUE(t.keying().changes().empty());
         }},
        {"a macro message is built at the key",
         [](auto& t, CWFrm& w) {
             t.app().run().CWMacroValues.MacroCall = QStringLiteral("K1XYZ");
             t.app().run().CWMacroValues.MacroRstSent = QStringLiteral("599");
             w.Text3->setText(QStringLiteral("$ TU *"));
             w.FKeyCW(114);
         },
         [&](auto& t, CWFrm&) {
             EXPECT_EQ(keyed(t), QStringLiteral("K1XYZ TU 5NN"));
             EXPECT_EQ(t.app().run().CWMacroValues.MacroRstSent, QStringLiteral("5NN"));
         }},
        {"F1 with an empty box and a repeat of 5 s arms the repeat, sends nothing, starts no timer",
         [](auto&, CWFrm& w) {
             w.txtCWLoop->setText(QStringLiteral("5"));
             w.txtCWLoop_LostFocus();
             w.FKeyCW(112);
         },
         [](auto& t, CWFrm& w) {
             EXPECT_EQ(t.app().run().CWRepeatActive, 1);
             EXPECT_TRUE(t.keying().changes().empty());
             EXPECT_FALSE(w.tmrRepeat->Enabled());
         }},
        {"F1 repeats its message every interval after the end of sending",
         [](auto& t, CWFrm& w) {
             w.Text1->setText(QStringLiteral("E"));
             w.txtCWLoop->setText(QStringLiteral("5"));
             w.txtCWLoop_LostFocus();
             w.FKeyCW(112);
             t.clock().advance(4999);
             QCoreApplication::processEvents();
         },
         [&](auto& t, CWFrm& w) {
             EXPECT_EQ(keyed(t), QStringLiteral("E"));
             EXPECT_TRUE(w.tmrRepeat->Enabled());
             t.clock().advance(1);
             EXPECT_EQ(keyed(t), QStringLiteral("EE"));
         }},
        {"a repeat of 59.9 s is kept",
         [](auto&, CWFrm& w) {
             w.txtCWLoop->setText(QStringLiteral("59.9"));
             w.txtCWLoop_LostFocus();
         },
         [](auto&, CWFrm& w) {
             EXPECT_EQ(w.txtCWLoop->Text(), QStringLiteral("59.9"));
             EXPECT_EQ(w.tmrRepeat->Interval(), 59900);
         }},
        {"a repeat of 60 s turns the box to 0 and the repeat off",
         [](auto&, CWFrm& w) {
             w.txtCWLoop->setText(QStringLiteral("60"));
             w.txtCWLoop_LostFocus();
         },
         [](auto&, CWFrm& w) {
             EXPECT_EQ(w.txtCWLoop->Text(), QStringLiteral("0"));
             EXPECT_EQ(w.tmrRepeat->Interval(), 0);
         }},
        {"F1 with a repeat box that is no number sends nothing",
         [](auto&, CWFrm& w) {
             w.Text1->setText(QStringLiteral("CQ"));
             w.txtCWLoop->setText(QStringLiteral("x"));
             w.FKeyCW(112);
         },
         [](auto& t, CWFrm&) {
             EXPECT_TRUE(t.keying().changes().empty());
             EXPECT_TRUE(t.app().run().CWSendBuffer.isEmpty());
         }},
        {"a word space of -9 becomes -8, -8 stays",
         [](auto&, CWFrm& w) { w.txtSpace->setText(QStringLiteral("-9")); },
         [](auto&, CWFrm& w) {
             EXPECT_EQ(w.txtSpace->Text(), QStringLiteral("-8"));
             w.txtSpace->setText(QStringLiteral("-8"));
             EXPECT_EQ(w.txtSpace->Text(), QStringLiteral("-8"));
             w.Command5->Press();  // Less
             EXPECT_EQ(w.txtSpace->Text(), QStringLiteral("-8"));
             w.Command6->Press();  // More
             EXPECT_EQ(w.txtSpace->Text(), QStringLiteral("-7"));
         }},
        {"a word space left as no number becomes 0",
         [](auto&, CWFrm& w) {
             w.txtSpace->setText(QStringLiteral("3:"));
             w.txtSpace_LostFocus();
         },
         [](auto&, CWFrm& w) { EXPECT_EQ(w.txtSpace->Text(), QStringLiteral("0")); }},
        {"\":\" left in the speed and port boxes becomes 0",
         [](auto&, CWFrm& w) {
             w.Text11->setText(QStringLiteral("2:"));
             w.Text11_LostFocus();
             w.Text10->setText(QStringLiteral(":"));
             w.Text10_LostFocus();
         },
         [](auto&, CWFrm& w) {
             EXPECT_EQ(w.Text11->Text(), QStringLiteral("0"));
             EXPECT_EQ(w.Text10->Text(), QStringLiteral("0"));
         }},
        {"Faster and Slower step the speed; no number changes nothing",
         [](auto&, CWFrm& w) {
             w.Command2->Press();
             w.Command2->Press();
             w.Command3->Press();
         },
         [](auto&, CWFrm& w) {
             EXPECT_EQ(w.Text11->Text(), QStringLiteral("21"));
             w.Text11->setText(QStringLiteral("x"));
             w.UpDown1_UpClick();
             EXPECT_EQ(w.Text11->Text(), QStringLiteral("x"));
         }},
        {"F on 1000 gives 900, S on 900 gives 1000",
         [](auto&, CWFrm& w) {
             w.txtLoop->setText(QStringLiteral("1000"));
             w.cmdLoopFaster->Press();
         },
         [](auto&, CWFrm& w) {
             EXPECT_EQ(w.txtLoop->Text(), QStringLiteral("900"));
             EXPECT_EQ(w.LoopsPer60ms, 900);
             w.cmdLoopSlower->Press();
             EXPECT_EQ(w.txtLoop->Text(), QStringLiteral("1000"));
             EXPECT_EQ(w.LoopsPer60ms, 1000);
         }},
        {"Loop calibrates once when it has no count, and enables its controls",
         [](auto&, CWFrm& w) { w.optLoop->setValue(true); },
         [](auto&, CWFrm& w) {
             EXPECT_EQ(w.LoopsPer60ms, 300000000);  // 5,000,000 passes over one step of the clock
             EXPECT_EQ(w.txtLoop->Text(), QStringLiteral("300000000"));
             EXPECT_TRUE(w.cmdLoopFaster->Enabled());
             w.optTimer->setValue(true);
             EXPECT_FALSE(w.txtLoop->Enabled());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TestApp t;
        CWFrm& w = t.app().forms().CWFrm();
        w.Option3->setValue(true);
        w.OptSleep->setValue(true);
        w.Text11->setText(QStringLiteral("20"));
        c.act(t, w);
        c.check(t, w);
    }
}

TEST_F(CWFrmTest, MessageBoxesTakeCapitalsAndNoDoubleQuote) {
    cw().Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&cw()));
    for (TextBox* box : {cw().Text1, cw().Text13, cw().Text14}) {
        box->setFocus();
        box->setSelStart(static_cast<int>(box->Text().size()));
        QTest::keyClicks(box, QStringLiteral("cq\"1"));
    }
    EXPECT_EQ(cw().Text1->Text(), QStringLiteral("CQ1"));
    EXPECT_EQ(cw().Text13->Text(), QStringLiteral("CQ1"));
    EXPECT_EQ(cw().Text14->Text(), QStringLiteral("&H378cq1"));
    cw().Text11->setFocus();
    QCoreApplication::processEvents();  // entering selects the whole box
    QTest::keyClicks(cw().Text11, QStringLiteral("a2:"));
    EXPECT_EQ(cw().Text11->Text(), QStringLiteral("2:"));
}

TEST_F(CWFrmTest, TestSendsF9OrRefusesSerialKeyingWithoutAPort) {
    cw().Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&cw()));
    cw().Option1->setValue(true);
    cw().Command4->Press();
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].text,
              QStringLiteral("Please enter a com port for CW rig interface."));
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("A com port is required."));
    EXPECT_EQ(t.beeper().count(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), cw().Text10);

    parallelAt20();
    cw().Text9->setText(QStringLiteral("VVV DE "));
    bool sendingShown = false;
    rec().afterSet = [&](size_t) { sendingShown = sendingShown || cw().Label23->Visible(); };
    cw().Command4->Press();
    EXPECT_EQ(test::Keyed(rec()), QStringLiteral("VVV DE "));
    EXPECT_TRUE(sendingShown);
    EXPECT_FALSE(cw().Label23->Visible());
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), cw().Text1);
}

TEST_F(CWFrmTest, DoneWritesTheSettingsThatTheSetupLoadReadsBack) {
    cw().Show();
    const QStringList messages{
        "CQ QP TEST $ * ^", "TU", "AGN?", "$", "QRZ?", "CNTY?", "NAME?", "", ""};
    TextBox* boxes[] = {cw().Text1, cw().Text2, cw().Text3, cw().Text4, cw().Text5,
                        cw().Text6, cw().Text7, cw().Text8, cw().Text9};
    for (int i = 0; i < 9; ++i) boxes[i]->setText(messages[i]);
    cw().Text10->setText(QStringLiteral("2"));
    cw().Text11->setText(QStringLiteral("28"));
    cw().Text12->setText(QStringLiteral("R TU"));
    cw().Text13->setText(QStringLiteral("73"));
    cw().txtSpace->setText(QStringLiteral("-2"));
    cw().Option2->setValue(true);
    cw().Text14->setText(QStringLiteral("&H278"));
    cw().Check1->setValue(0);
    cw().txtCWLoop->setText(QStringLiteral("4.5"));
    cw().OptSleep->setValue(true);
    cw().txtLoop->setText(QStringLiteral("123456"));
    cw().Command1->Press();
    EXPECT_TRUE(cw().isHidden());
    EXPECT_EQ(t.readFile(QStringLiteral("cw.txt")), test::fixture(QStringLiteral("cw-done.txt")));
    Registry reg(t.root() + QStringLiteral("/registry.ini"));
    const QString app = QStringLiteral("Ardlow_Software"), section = QStringLiteral("Settings");
    EXPECT_EQ(reg.get(app, section, QStringLiteral("UserCWSelection")), QStringLiteral("Sleep"));
    EXPECT_EQ(reg.get(app, section, QStringLiteral("UserCWLoopOffset")), QStringLiteral("123456"));

    // The next run: the setup window's load fills the CW window, loaded hidden, from the file.
    test::TestApp next;
    next.writeFile(QStringLiteral("CW.txt"), t.readFile(QStringLiteral("cw.txt")));
    next.writeFile(QStringLiteral("registry.ini"), QByteArray());
    Registry(next.root() + QStringLiteral("/registry.ini"))
        .save(app, section, QStringLiteral("UserCWSelection"), QStringLiteral("Sleep"));
    next.app().forms().frmStationID();
    CWFrm& again = next.app().forms().CWFrm();
    EXPECT_TRUE(again.isHidden());
    EXPECT_EQ(again.Text1->Text(), messages[0]);
    EXPECT_EQ(again.Text9->Text(), QStringLiteral("VVV DE "));  // an empty F9 becomes the test text
    EXPECT_EQ(again.Text11->Text(), QStringLiteral("28"));
    EXPECT_EQ(again.Text13->Text(), QStringLiteral("73"));
    EXPECT_EQ(again.txtSpace->Text(), QStringLiteral("-2"));
    EXPECT_TRUE(again.Option2->Value());
    EXPECT_EQ(next.app().run().CWKeyingInterface, 2);
    EXPECT_EQ(again.Text14->Text(), QStringLiteral("&H278"));
    EXPECT_EQ(again.Check1->Value(), 0);
    EXPECT_EQ(again.tmrRepeat->Interval(), 4500);
    EXPECT_TRUE(again.OptSleep->Value());
}

TEST_F(CWFrmTest, TheLoadTakesTheTimingMethodByItsExactName) {
    const struct {
        const char* stored;
        bool loop;
        bool sleep;
    } cases[] = {
        {"Sleep", false, true}, {"loop", false, false}, {"Loop", true, false}, {"", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        test::TestApp app;
        Registry reg(app.root() + QStringLiteral("/registry.ini"));
        if (*c.stored) {
            reg.save(QStringLiteral("Ardlow_Software"), QStringLiteral("Settings"),
                     QStringLiteral("UserCWSelection"), QString::fromLatin1(c.stored));
        }
        reg.save(QStringLiteral("Ardlow_Software"), QStringLiteral("Settings"),
                 QStringLiteral("UserCWLoopOffset"), QStringLiteral("4400"));
        CWFrm& w = app.app().forms().CWFrm();
        EXPECT_EQ(w.optLoop->Value(), c.loop);
        EXPECT_EQ(w.OptSleep->Value(), c.sleep);
        EXPECT_EQ(w.optTimer->Value(), !c.loop && !c.sleep);
        EXPECT_EQ(w.LoopsPer60ms, 4400);  // a stored count is not calibrated again
        EXPECT_EQ(w.txtLoop->Enabled(), c.loop);
    }
}

TEST_F(CWFrmTest, SettingsFileValuesAndTheKeyingOption) {
    QList<QByteArray> base;
    for (int i = 1; i <= 8; ++i) base << "\"MSG" + QByteArray::number(i) + "\"";
    base += QList<QByteArray>{"\"\"",   "\"1\"", "\"25\"",    "\"MSG10\"", "\"MSG11\"",
                              "\"-2\"", "3",     "\"&H278\"", "0",         "\"2\""};
    const struct {
        const char* what;
        int line;  // 0: the file as it is
        const char* value;
        int startOption;  // 2: DTR selected before, 4: None
        int option;       // the option selected after; 0 none
        bool complete;
    } cases[] = {
        {"printer port", 0, "", 4, 3, true},
        {"WinKey", 15, "5", 4, 5, true},
        {"none", 15, "0", 2, 4, true},
        {"unknown interface clears serial", 15, "7", 2, 0, true},
        {"unknown interface keeps None", 15, "7", 4, 4, true},
        {"interface beyond a byte", 15, "300", 4, 4, false},
        {"check box 2", 17, "2", 4, 4, false},
        {"repeat too long", 18, "\"70\"", 4, 4, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TestApp app;
        CWFrm& w = app.app().forms().CWFrm();
        (c.startOption == 2 ? w.Option2 : w.Option4)->setValue(true);
        QList<QByteArray> lines = base;
        if (c.line > 0) lines[c.line - 1] = c.value;
        const QByteArray file = lines.join("\r\n") + "\r\n";
        if (c.complete) {
            w.LoadCWSettings(file);
            EXPECT_EQ(w.Check1->Value(), 0);
            EXPECT_EQ(w.tmrRepeat->Interval(), 2000);
        } else {
            EXPECT_THROW(w.LoadCWSettings(file), Error);
        }
        OptionButton* options[] = {nullptr, w.Option1, w.Option2, w.Option3, w.Option4, w.Option5};
        for (int o = 1; o <= 5; ++o) EXPECT_EQ(options[o]->Value(), o == c.option) << o;
        EXPECT_EQ(w.Text9->Text(), QStringLiteral("VVV DE "));  // a blank F9 message
        EXPECT_EQ(w.Text13->Text(), QStringLiteral("MSG11"));
        EXPECT_EQ(w.txtSpace->Text(), QStringLiteral("-2"));
        EXPECT_EQ(w.cmdConfWinkey->Visible(), c.option == 5);
    }
    // A short file: what came stays, the rest keeps its design values, no option is touched.
    test::TestApp app;
    CWFrm& w = app.app().forms().CWFrm();
    EXPECT_THROW(w.LoadCWSettings(base.mid(0, 10).join("\r\n") + "\r\n"), Error);
    EXPECT_EQ(w.Text10->Text(), QStringLiteral("1"));
    EXPECT_EQ(w.Text11->Text(), QStringLiteral("13"));
    EXPECT_TRUE(w.Option4->Value());
}

// The chosen timing method must be seen: no label lies over any of the three options.
TEST_F(CWFrmTest, NoLabelCoversATimingOption) {
    cw().Show();
    for (OptionButton* option : {cw().optTimer, cw().OptSleep, cw().optLoop}) {
        SCOPED_TRACE(option->text().toStdString());
        const QRect at(option->mapTo(&cw(), QPoint(0, 0)), option->size());
        for (Label* label : cw().findChildren<Label*>()) {
            if (!label->isVisible()) continue;
            const QRect covers(label->mapTo(&cw(), QPoint(0, 0)), label->size());
            EXPECT_FALSE(covers.intersects(at)) << label->text().toStdString();
        }
    }
}

TEST_F(CWFrmTest, TheWindowHasNoCloseBoxAndOnlyHides) {
    cw().Show();
    cw().close();
    EXPECT_FALSE(cw().unloaded());
    cw().Command1->Press();
    EXPECT_TRUE(cw().isHidden());
    EXPECT_TRUE(t.app().forms().cwFrmSlot().isLoaded());
}

}  // namespace
}  // namespace qf
