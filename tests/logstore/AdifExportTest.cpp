#include "logging/ExportAdif.h"
#include "logstore/AdifExport.h"
#include "platform/Error.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace qf {
namespace {

QSORecord contact(const QString& call, const QString& nameRcvd, const QString& spc,
                  const QString& county, const QString& date, const QString& time,
                  const QString& mode, const QString& band, const QString& frequency) {
    QSORecord q;
    q.Call = call;
    q.NameSent = QStringLiteral("JOHN");
    q.NameRcvd = nameRcvd;
    q.SPC = spc;
    q.CountyRcvd = county;
    q.QSODate = date;
    q.QSOTime = time;
    q.Mode = mode;
    q.Band = band;
    q.Frequency = frequency;
    return q;
}

class AdifExportTest : public ::testing::Test {
protected:
    AdifExportTest() {
        StartupValues& sv = t.app().startup();
        sv.WorkingFolder = t.work();
        sv.WorkingDrive = t.work().left(1);
        sv.SharedFolder = t.root() + QStringLiteral("/company/Shared");
        sv.DataFolder = t.root() + QStringLiteral("/company/Rozirazav");
        sv.ProgramVersion = kProgramVersion;
        QDir().mkpath(sv.SharedFolder);
        QDir().mkpath(sv.DataFolder);
        t.app().station().ContestState = QStringLiteral("MN");
        t.clock().set(QDateTime(QDate(2026, 9, 12), QTime(14, 5, 9)), 5 * 3600);

        CountyTable& counties = t.app().tables().counties;
        counties.rows = {{},
                         {QStringLiteral("HEN"), QStringLiteral("Hennepin")},
                         {QStringLiteral("RAM"), QStringLiteral("Ramsey")},
                         {QStringLiteral("STL"), QStringLiteral("St. Louis")},
                         {QStringLiteral("STL"), QStringLiteral("Saint Louis")},
                         // Above the count: left from an earlier load, never looked at.
                         {QStringLiteral("ZZZ"), QStringLiteral("Stale")}};
        counties.CountyCount = 4;

        t.writeFile(kAdifCountryFile, test::fixture(QStringLiteral("adif-countries.txt")));
    }

    QString output() { return t.app().startup().DataFolder + QStringLiteral("/MN.adi"); }
    void exportLog() {
        ExportADIF(t.app().platform(), t.app().startup(), t.app().station(), t.app().log(),
                   t.app().tables());
    }

    void setLog(const std::vector<QSORecord>& contacts) {
        QSOLog& log = t.app().log();
        int r = 0;
        for (const QSORecord& q : contacts) log[++r] = q;
        log.QSOCount = r;
        // A row above the count belongs to no contact and must not be exported.
        log[r + 1] =
            contact(QStringLiteral("K0OLD"), QStringLiteral("OLD"), QString(),
                    QStringLiteral("HEN"), QStringLiteral("2026/09/01"), QStringLiteral("10:00:00"),
                    QStringLiteral("CW"), QStringLiteral("20"), QString());
    }

    // Nothing was written anywhere under the test's folders.
    QStringList adiFiles() {
        QStringList found;
        for (const QString& folder :
             {t.work(), t.app().startup().DataFolder, t.app().startup().SharedFolder}) {
            for (const QString& f :
                 QDir(folder).entryList({QStringLiteral("*.adi")}, QDir::Files)) {
                found << folder + QLatin1Char('/') + f;
            }
        }
        return found;
    }

    test::TestApp t;
};

TEST_F(AdifExportTest, OutOfStateLogTakesTheContestStateAndTheCountyName) {
    t.app().station().OutOfStateFlag = 1;
    setLog({
        contact(QStringLiteral("W0AAA"), QStringLiteral("BOB"), QString(), QStringLiteral("HEN"),
                QStringLiteral("2026/09/12"), QStringLiteral("14:05:33"), QStringLiteral("CW"),
                QStringLiteral("20"), QStringLiteral("14.025")),
        contact(QStringLiteral("K0BBB"), QStringLiteral("SUE"), QString(), QStringLiteral("STL"),
                QStringLiteral("2026/09/12"), QStringLiteral("15:10:00"), QStringLiteral("PH"),
                QStringLiteral("40"), QString()),
        contact(QStringLiteral("N0CCC"), QStringLiteral("AL"), QString(), QStringLiteral("RAM"),
                QStringLiteral("2026/09/13"), QStringLiteral("01:02:03"), QStringLiteral("DG"),
                QStringLiteral("70"), QStringLiteral("432.100")),
        // A county the table does not know, on 1.25 m, entered after the contest ("hh:mm").
        contact(QStringLiteral("W9ZZZ"), QStringLiteral("PAT"), QString(), QStringLiteral("XYZ"),
                QStringLiteral("2026/09/13"), QStringLiteral("02:00"), QStringLiteral("CW"),
                QStringLiteral("1.25"), QString()),
    });
    // An older export of that name is replaced whole.
    t.writeFile(output(), QByteArray(5000, 'x'));
    t.dialogs().answerFile(output());  // both questions keep their default answers

    exportLog();

    EXPECT_EQ(t.readFile(output()), test::fixture(QStringLiteral("adif-out-of-state.adi")));
    EXPECT_EQ(t.beeper().count(), 0);
    const auto messages = t.dialogs().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, QStringLiteral("File Written Successfully."));
    EXPECT_EQ(messages[0].text,
              QStringLiteral("The file was successfully written to the directory:\r\n\r\n") +
                  output() + QStringLiteral("."));
    EXPECT_TRUE(t.dialogs().allAnswersUsed());
}

TEST_F(AdifExportTest, InStateLogMapsStatesProvincesAndCountries) {
    setLog({
        // A station of the contest state.
        contact(QStringLiteral("K0DDD"), QStringLiteral("ANN"), QStringLiteral("MN"),
                QStringLiteral("RAM"), QStringLiteral("2026/09/12"), QStringLiteral("16:00:00"),
                QStringLiteral("CW"), QStringLiteral("20"), QStringLiteral("14.030")),
        // Another US state.
        contact(QStringLiteral("W1EEE"), QStringLiteral("JOE"), QStringLiteral("CT"), QString(),
                QStringLiteral("2026/09/12"), QStringLiteral("16:01:10"), QStringLiteral("PH"),
                QStringLiteral("80"), QStringLiteral("3.850")),
        // Hawaii from a K call.
        contact(QStringLiteral("KH6FFF"), QStringLiteral("LANI"), QStringLiteral("HI"), QString(),
                QStringLiteral("2026/09/12"), QStringLiteral("16:02:00"), QStringLiteral("PH"),
                QStringLiteral("15"), QString()),
        // Canada: a call beginning with V gives neither State nor Cont.
        contact(QStringLiteral("VE3GGG"), QStringLiteral("PIERRE"), QStringLiteral("ON"), QString(),
                QStringLiteral("2026/09/12"), QStringLiteral("16:03:00"), QStringLiteral("CW"),
                QStringLiteral("40"), QString()),
        // DX: the country name stands in SPC.
        contact(QStringLiteral("DL1HHH"), QStringLiteral("HANS"), QStringLiteral("Germany"),
                QString(), QStringLiteral("2026/09/12"), QStringLiteral("16:04:00"),
                QStringLiteral("CW"), QStringLiteral("10"), QStringLiteral("28.025")),
        // A county abbreviation the county table does not hold.
        contact(QStringLiteral("K0III"), QStringLiteral("ED"), QStringLiteral("MN"),
                QStringLiteral("ZZZ"), QStringLiteral("2026/09/12"), QStringLiteral("16:05:00"),
                QStringLiteral("CW"), QStringLiteral("160"), QString()),
        // A date that does not read as one, and a one-digit hour.
        contact(QStringLiteral("N0JJJ"), QStringLiteral("AMY"), QStringLiteral("WI"), QString(),
                QStringLiteral("2026/13/45"), QStringLiteral("9:05"), QStringLiteral("CW"),
                QStringLiteral("6"), QString()),
        // A name with trailing blanks, and a date written with dashes.
        contact(QStringLiteral("W0KKK"), QStringLiteral("TOM   "), QStringLiteral("IA"), QString(),
                QStringLiteral("2026-09-12"), QStringLiteral("16:07:00"), QStringLiteral("PH"),
                QStringLiteral("2"), QStringLiteral("146.520")),
        contact(QStringLiteral("AL7LLL"), QStringLiteral("SAM"), QStringLiteral("AK"), QString(),
                QStringLiteral("2026/09/12"), QStringLiteral("16:08:00"), QStringLiteral("CW"),
                QStringLiteral("20"), QString()),
    });
    t.dialogs().answerInput(QStringLiteral("5   "));  // a power typed with trailing blanks
    t.dialogs().answerInputCancel();                  // no comment: <eor> follows the name
    t.dialogs().answerFile(output());

    exportLog();

    EXPECT_EQ(t.readFile(output()), test::fixture(QStringLiteral("adif-in-state.adi")));
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("File Written Successfully."));
    EXPECT_EQ(t.beeper().count(), 0);
}

TEST_F(AdifExportTest, EmptyLogWithBothQuestionsCancelledGivesTheHeaderAlone) {
    t.dialogs().answerInputCancel();
    t.dialogs().answerInputCancel();
    t.dialogs().answerFile(output());

    exportLog();

    EXPECT_EQ(t.readFile(output()), test::fixture(QStringLiteral("adif-empty.adi")));
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("File Written Successfully."));
}

TEST_F(AdifExportTest, AsksForPowerCommentAndFileThenCancelEndsSilently) {
    setLog({contact(QStringLiteral("W0AAA"), QStringLiteral("BOB"), QString(),
                    QStringLiteral("HEN"), QStringLiteral("2026/09/12"), QStringLiteral("14:05:33"),
                    QStringLiteral("CW"), QStringLiteral("20"), QString())});
    t.dialogs().answerFileCancel();

    exportLog();

    const auto& shown = t.dialogs().shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].kind, ShownDialog::Input);
    EXPECT_EQ(shown[0].text,
              QStringLiteral("Please enter the power value that you would like to record.  This is "
                             "an optional value that will be included in each QSO record and "
                             "displayed in Brindleby's power output column."));
    EXPECT_EQ(shown[0].title, QStringLiteral("Please enter your transmitter output power."));
    EXPECT_EQ(shown[0].defaultText, QStringLiteral("100"));
    EXPECT_EQ(shown[1].kind, ShownDialog::Input);
    EXPECT_EQ(shown[1].text,
              QStringLiteral("Please enter a comment that you would like to appear on each QSO "
                             "record.  This is an optional description that will be displayed in "
                             "Brindleby's Comments column."));
    EXPECT_EQ(shown[1].title, QStringLiteral("Please enter a comment."));
    EXPECT_EQ(shown[1].defaultText, QStringLiteral("MN State QSO Party Contest"));
    EXPECT_EQ(shown[2].kind, ShownDialog::FileSave);
    EXPECT_EQ(shown[2].text, output());
    EXPECT_EQ(shown[2].filter, QStringLiteral("ADIF Files (*.adi)"));

    // Cancel: no file, no box, no beep.
    EXPECT_TRUE(adiFiles().isEmpty());
    EXPECT_TRUE(t.dialogs().messages().empty());
    EXPECT_EQ(t.beeper().count(), 0);
}

TEST_F(AdifExportTest, MissingCountryTableInEveryFolderIsReportedBeforeTheDialog) {
    QFile::remove(t.path(kAdifCountryFile));
    setLog({contact(QStringLiteral("W0AAA"), QStringLiteral("BOB"), QString(),
                    QStringLiteral("HEN"), QStringLiteral("2026/09/12"), QStringLiteral("14:05:33"),
                    QStringLiteral("CW"), QStringLiteral("20"), QString())});
    t.dialogs().answerFile(output());

    exportLog();

    EXPECT_EQ(t.beeper().count(), 1);
    const auto messages = t.dialogs().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, QStringLiteral("Unable to write file."));
    EXPECT_EQ(messages[0].text, QString::fromLocal8Bit(std::strerror(ENOENT)));
    for (const auto& s : t.dialogs().shown()) EXPECT_NE(s.kind, ShownDialog::FileSave);
    EXPECT_TRUE(adiFiles().isEmpty());
}

TEST_F(AdifExportTest, AFailingWriteIsReportedAndLeavesNoFile) {
    setLog({contact(QStringLiteral("W0AAA"), QStringLiteral("BOB"), QString(),
                    QStringLiteral("HEN"), QStringLiteral("2026/09/12"), QStringLiteral("14:05:33"),
                    QStringLiteral("CW"), QStringLiteral("20"), QString())});
    t.files().setFault([](Files::Op op, const QString&) {
        if (op == Files::Op::Rewrite) {
            throw Error(err::kDiskFull, QStringLiteral("No space left on device"));
        }
    });
    t.dialogs().answerFile(output());

    exportLog();

    EXPECT_EQ(t.beeper().count(), 1);
    const auto messages = t.dialogs().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, QStringLiteral("Unable to write file."));
    EXPECT_EQ(messages[0].text, QStringLiteral("No space left on device"));
    EXPECT_EQ(messages[0].icon, Icon::Exclamation);
    EXPECT_FALSE(QFileInfo::exists(output()));
}

TEST_F(AdifExportTest, AFileThatCannotBeCreatedIsReported) {
    t.dialogs().answerFile(t.root() + QStringLiteral("/no such folder/MN.adi"));

    exportLog();

    EXPECT_EQ(t.beeper().count(), 1);
    const auto messages = t.dialogs().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, QStringLiteral("Unable to write file."));
    EXPECT_FALSE(messages[0].text.isEmpty());
}

TEST_F(AdifExportTest, TheExportNeverReplacesTheLog) {
    t.writeFile(QStringLiteral("log.txt"), "keep me");
    t.dialogs().answerFile(t.work() + QStringLiteral("/LOG.TXT"));

    exportLog();

    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), QByteArray("keep me"));
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("Unable to write file."));
}

TEST_F(AdifExportTest, CountryTableIsTakenFromSharedThenDataThenWorkingFolder) {
    setLog({contact(QStringLiteral("W0AAA"), QStringLiteral("BOB"), QString(),
                    QStringLiteral("HEN"), QStringLiteral("2026/09/12"), QStringLiteral("14:05:33"),
                    QStringLiteral("CW"), QStringLiteral("20"), QString())});
    const StartupValues& sv = t.app().startup();
    auto dxccOf = [&]() {
        t.dialogs().answerFile(output());
        exportLog();
        const QByteArray data = t.readFile(output());
        const qsizetype at = data.indexOf("<DXCC:");
        return at < 0 ? QByteArray() : data.mid(at, data.indexOf(' ', at) - at);
    };
    EXPECT_EQ(dxccOf(), QByteArray("<DXCC:3>291"));
    // The name is matched ignoring case, as every file name is.
    t.writeFile(sv.DataFolder + QStringLiteral("/adifcnt.txt"), "\"USA\",292\r\n");
    EXPECT_EQ(dxccOf(), QByteArray("<DXCC:3>292"));
    t.writeFile(sv.SharedFolder + QStringLiteral("/ADIFCnt.txt"), "\"USA\",293\r\n");
    EXPECT_EQ(dxccOf(), QByteArray("<DXCC:3>293"));
    // A country the table does not hold gets no DXCC tag.
    t.writeFile(sv.SharedFolder + QStringLiteral("/ADIFCnt.txt"), "\"Canada\",1\r\n");
    EXPECT_EQ(dxccOf(), QByteArray());
}

TEST_F(AdifExportTest, MoreThanAThousandCountriesIsAFailure) {
    QByteArray table;
    for (int i = 1; i <= 1001; ++i)
        table += "\"C" + QByteArray::number(i) + "\"," + QByteArray::number(i) + "\r\n";
    t.writeFile(kAdifCountryFile, table);
    t.dialogs().answerFile(output());

    exportLog();

    EXPECT_EQ(t.beeper().count(), 1);
    const auto messages = t.dialogs().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, QStringLiteral("Unable to write file."));
    EXPECT_TRUE(adiFiles().isEmpty());

    // Exactly a thousand is accepted.
    table.clear();
    for (int i = 1; i <= 1000; ++i)
        table += "\"C" + QByteArray::number(i) + "\"," + QByteArray::number(i) + "\r\n";
    t.writeFile(kAdifCountryFile, table);
    t.dialogs().clearShown();
    t.dialogs().answerFile(output());
    exportLog();
    EXPECT_EQ(t.beeper().count(), 1);
    EXPECT_TRUE(QFileInfo::exists(output()));
}

// ADIF readers refuse anything but ASCII in these fields: letters lose their accents, the rest
// is left out, and each length counts what was written.
TEST_F(AdifExportTest, LettersOutsideAsciiAreWrittenAsTheirBaseLetters) {
    setLog({contact(QStringLiteral("W0AAA"), QStringLiteral("REN\u00c9"), QString(),
                    QStringLiteral("HEN"), QStringLiteral("2026/09/12"), QStringLiteral("14:05:33"),
                    QStringLiteral("CW"), QStringLiteral("20"), QString()),
            contact(QStringLiteral("K0BBB"), QStringLiteral("J\u00dcRGEN"), QString(),
                    QStringLiteral("RAM"), QStringLiteral("2026/09/12"), QStringLiteral("14:06:00"),
                    QStringLiteral("CW"), QStringLiteral("20"), QString())});
    t.dialogs().answerInput(QStringLiteral("100"));
    t.dialogs().answerInput(QStringLiteral("Gr\u00fc\u00dfe \u2713 caf\u00e9"));
    t.dialogs().answerFile(output());

    exportLog();

    const QByteArray data = t.readFile(output());
    EXPECT_TRUE(data.contains(QByteArray("<Name:4>RENE ")));
    EXPECT_TRUE(data.contains(QByteArray("<Name:6>JURGEN ")));
    EXPECT_TRUE(data.contains(QByteArray("<Comment:12>Grusse  cafe\r\n")));
    for (const char c : data) {
        EXPECT_TRUE(c == '\r' || c == '\n' || (c >= 0x20 && c <= 0x7E)) << int(static_cast<unsigned char>(c));
    }
    EXPECT_EQ(t.dialogs().messages().size(), 1u);  // the success message alone
    // The log itself keeps what was typed.
    EXPECT_EQ(t.app().log()[1].NameRcvd, QStringLiteral("REN\u00c9"));
}

TEST(AdifFormatsTest, FoldToAsciiKeepsBaseLettersAndDropsTheRest) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("W1AW/P 14.025"), QStringLiteral("W1AW/P 14.025")},  // ASCII unchanged
        {QStringLiteral("ren\u00e9"), QStringLiteral("rene")},
        {QStringLiteral("J\u00fcrgen"), QStringLiteral("Jurgen")},          // case kept
        {QStringLiteral("\u00c0\u00c1\u00c2\u00c3\u00c4\u00c5"), QStringLiteral("AAAAAA")},
        {QStringLiteral("\u00e0\u00e1\u00e2\u00e3\u00e4\u00e5"), QStringLiteral("aaaaaa")},
        {QStringLiteral("\u00c6\u00e6\u00c7\u00e7\u00d0\u00f0"), QStringLiteral("AEaeCcDd")},
        {QStringLiteral("\u00c8\u00c9\u00ca\u00cb\u00cc\u00cd\u00ce\u00cf"), QStringLiteral("EEEEIIII")},
        {QStringLiteral("\u00d1\u00f1\u00d2\u00d3\u00d4\u00d5\u00d6\u00d8\u00f8"), QStringLiteral("NnOOOOOOo")},
        {QStringLiteral("\u00d9\u00da\u00db\u00dc\u00f9\u00fa\u00fb\u00fc"), QStringLiteral("UUUUuuuu")},
        {QStringLiteral("\u00dd\u00fd\u00ff"), QStringLiteral("Yyy")},
        {QStringLiteral("Stra\u00dfe \u00de\u00fe"), QStringLiteral("Strasse THth")},
        {QStringLiteral("1\u00aa 2\u00ba"), QStringLiteral("1a 2o")},
        {QStringLiteral("3\u00d74\u00f72"), QStringLiteral("342")},        // signs, not letters
        {QStringLiteral("\u00a9\u00b0\u00b5\u00a0x"), QStringLiteral("x")},  // other Latin-1 signs
        {QStringLiteral("a\tb\r\nc\u007f"), QStringLiteral("abc")},        // control codes
        {QStringLiteral("\u2713\u20ac\u0141\u4e2d"), QString()},            // beyond Latin-1
        {QString(), QString()},
    };
    for (const auto& [in, expected] : cases) EXPECT_EQ(foldToAscii(in), expected) << in.toStdString();
}

TEST(AdifFormatsTest, GeneralDateTimeTextInTheUSLocale) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(GeneralDateTimeText(QDateTime(QDate(2026, 6, 13), QTime(12, 0, 0)), us),
              QStringLiteral("6/13/2026 12:00:00 PM"));
    EXPECT_EQ(GeneralDateTimeText(QDateTime(QDate(2026, 11, 2), QTime(9, 5, 7)), us),
              QStringLiteral("11/2/2026 9:05:07 AM"));
    EXPECT_EQ(GeneralDateTimeText(QDateTime(QDate(2026, 1, 1), QTime(0, 0, 0)), us),
              QStringLiteral("1/1/2026 12:00:00 AM"));
    // The tests' default locale is the same.
    EXPECT_EQ(GeneralDateTimeText(QDateTime(QDate(2026, 6, 13), QTime(23, 59, 59))),
              QStringLiteral("6/13/2026 11:59:59 PM"));
}

TEST(AdifFormatsTest, GeneralDateTimeTextFollowsTheLocale) {
    const QLocale de(QLocale::German, QLocale::Germany);
    EXPECT_EQ(GeneralDateTimeText(QDateTime(QDate(2026, 6, 3), QTime(14, 5, 0)), de),
              QStringLiteral("03.06.2026 14:05:00"));
}

}  // namespace
}  // namespace qf
