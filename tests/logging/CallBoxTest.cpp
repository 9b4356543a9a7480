// The call box of both logging windows takes letters, digits and "/" only, so a letter of a
// foreign keyboard never reaches a call sign.
#include "logging/LoggingFixture.h"

namespace qf {
namespace {

using test::LoggingFixture;

class CallBoxTest : public LoggingFixture {
protected:
    // Keys as a keyboard sends them, foreign letters included (Qt names a Latin-1 key by the
    // code of its capital).
    static void typeKeys(const QString& keys) {
        for (const QChar c : keys) {
            if (c.unicode() < 0x80) {
                type(QString(c));
            } else {
                QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(),
                                    static_cast<Qt::Key>(c.toUpper().unicode()), QString(c), Qt::NoModifier);
                settle();
            }
        }
    }

    void expectCallSignsOnly(LoggingWindow& w) {
        w.cmdLogOn->Press();
        w.txtCall->SetFocus();
        settle();
        typeKeys(QStringLiteral("w\u00e90\u00fcr-.\u00c9e\u00df/p"));
        EXPECT_EQ(w.txtCall->Text(), QStringLiteral("W0RE/P"));
        // The name box still takes what the operator types.
        typeKeys(QStringLiteral(" ren\u00e9"));
        EXPECT_EQ(QApplication::focusWidget(), w.txtRSTR);
        EXPECT_EQ(w.txtRSTR->Text(), QStringLiteral("REN\u00e9"));
    }
};

TEST_F(CallBoxTest, OutOfStateCallBoxTakesLettersDigitsAndSlashOnly) {
    writeLog({});
    expectCallSignsOnly(openOut());
}

TEST_F(CallBoxTest, InStateCallBoxTakesLettersDigitsAndSlashOnly) {
    writeLog({});
    t.app().station().OutOfStateFlag = 0;
    expectCallSignsOnly(open(&Forms::Infrm));
}

}  // namespace
}  // namespace qf
