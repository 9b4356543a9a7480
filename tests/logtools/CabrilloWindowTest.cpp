// The submission window on the offscreen platform, opened from each logging window's File menu,
// answered by the scripted file dialog. Whole files are compared with golden files whose lines
// starting with "#" are a column ruler for the reader: the comparison leaves them out.
#include "logging/LoggingFixture.h"
#include "logtools/DECabrilloIn.h"
#include "platform/Error.h"

#include <QTimer>

#include <cerrno>
#include <cstring>
#include <functional>

namespace qf {
namespace {

using test::LoggingFixture;

QSORecord contact() {
    QSORecord q;
    q.Call = QStringLiteral("W0AAA");
    q.NameSent = QStringLiteral("JOE");
    q.NameRcvd = QStringLiteral("BOB");
    q.CountyRcvd = QStringLiteral("AIT");
    q.QSODate = QStringLiteral("2026/09/12");
    q.QSOTime = QStringLiteral("14:05:09");
    q.Mode = QStringLiteral("PH");
    q.Band = QStringLiteral("20");
    return q;
}

class CabrilloWindowTest : public LoggingFixture {
  protected:
    CabrilloWindowTest() {
        StartupValues& sv = t.app().startup();
        sv.ProgramVersion = kProgramVersion;
        sv.SharedFolder = t.root() + QStringLiteral("/shared");
        QDir().mkpath(sv.SharedFolder);
        t.app().sharedPreferences().LoadSharedPreferences(xmlPath());
        t.app().station().OwnCountry = QStringLiteral("USA");
    }

    QString xmlPath() {
        return t.app().startup().SharedFolder + QStringLiteral("/SharedUserPreferences.xml");
    }
    QString dataFile(const QString& name) {
        return t.app().startup().DataFolder + QLatin1Char('/') + name;
    }
    QString registry(const char* key) {
        return t.app().platform().registry.get(QStringLiteral("Ardlow_Software"),
                                               QStringLiteral("Settings"),
                                               QString::fromLatin1(key));
    }

    // Opens the submission window from the window's menu, runs `whileOpen` in it and closes it
    // with Done; the menu item unloads it.
    void submit(LoggingWindow& w, const std::function<void(DECabrilloIn&)>& whileOpen) {
        bool ran = false;
        // The window's load lets pending events run, so wait until it is really up and modal.
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            DECabrilloIn* d = t.app().forms().cabrilloSlot().peek();
            if (!d || !d->isVisible()) return;
            poll.stop();
            EXPECT_TRUE(d->isModal());
            whileOpen(*d);
            d->Command3->Press();
            ran = true;
        });
        poll.start();
        w.mnuWriteSumm->action()->trigger();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(t.app().forms().cabrilloSlot().isLoaded());
    }

    static void typeInto(TextBox* box, const QString& keys) {
        box->SetFocus();
        settle();
        type(keys);
    }

    // The golden file less its ruler lines.
    static QByteArray golden(const QString& name) {
        QByteArray out;
        for (const QByteArray& line : test::fixture(name).split('\n')) {
            if (!line.isEmpty() && !line.startsWith('#')) out += line + '\n';
        }
        return out;
    }

    // The in-state window of the rover K0XYZ over a fixture log, its answer to the file dialog
    // ready.
    Infrm& openRover(const QString& ownCounty, const QByteArray& log) {
        StationSettings& st = t.app().station();
        st.OutOfStateFlag = 0;
        st.RoverFlag = 1;
        st.OwnCall = QStringLiteral("K0XYZ");
        st.OwnSPC = QStringLiteral("MN");
        st.OwnCounty = ownCounty;
        t.writeFile(QStringLiteral("log.txt"), log);
        Infrm& in = open(&Forms::Infrm);
        t.dialogs().answerFile(dataFile(QStringLiteral("K0XYZ.log")));
        return in;
    }
};

TEST_F(CabrilloWindowTest, InStateLogMatchesTheGoldenFile) {
    Infrm& in = openRover(QStringLiteral("HEN"),
                          test::fixture(QStringLiteral("cabrillo-in-state-log.txt")));
    ASSERT_EQ(t.app().log().QSOCount, 6);
    submit(in, [&](DECabrilloIn& d) {
        EXPECT_FALSE(d.Text3->Enabled());
        EXPECT_FALSE(d.Label4->Enabled());
        d.Option16->setValue(true);  // "Mobile": the counties sent, each once
        EXPECT_TRUE(d.Text3->Enabled());
        EXPECT_TRUE(d.Label4->Enabled());
        EXPECT_EQ(d.Text3->Text(), QStringLiteral("HEN RAM "));
        d.Option6->setValue(true);
        d.Option16->setValue(true);  // chosen again: nothing twice
        EXPECT_EQ(d.Text3->Text(), QStringLiteral("HEN RAM "));
        // Another category keeps the counties, and the box stays open.
        d.Option7->setValue(true);
        EXPECT_TRUE(d.Text3->Enabled());
        typeInto(d.Text1, QStringLiteral("k0xyz n0abc"));  // upper-cased as typed
        EXPECT_EQ(d.Text1->Text(), QStringLiteral("K0XYZ N0ABC"));
        d.Text5->setText(QStringLiteral("Pat Olson"));
        d.Text6->setText(QStringLiteral("12 Lake Road"));
        d.Text7->setText(QStringLiteral("Duluth, MN 55802"));
        d.Text8->setText(QStringLiteral("k0xyz@example.org"));
        d.Text2->setText(QStringLiteral("Arrowhead Radio Club"));
        d.Text11->setText(QStringLiteral("Fun from two counties."));
        d.Command4->Press();
    });
    EXPECT_EQ(t.readFile(dataFile(QStringLiteral("K0XYZ.log"))),
              golden(QStringLiteral("cabrillo-in-state.log")));
}

// A rover on the Anoka-Isanti line typed its counties in mixed case, and the names carry a
// Latin-1 letter, once in lower case as the name box lets it through: the file has them in ASCII
// capitals and the counties in capitals, while "log.txt" keeps what was typed.
TEST_F(CabrilloWindowTest, RoverLogWithALatin1NameMatchesTheGoldenFile) {
    const QByteArray typed = test::fixture(QStringLiteral("cabrillo-rover-log.txt"));
    Infrm& in = openRover(QStringLiteral("Ano"), typed);
    ASSERT_EQ(t.app().log().QSOCount, 6);
    ASSERT_EQ(t.app().log()[1].NameSent, QStringLiteral("REN\u00c9"));
    ASSERT_EQ(t.app().log()[4].NameRcvd, QStringLiteral("JOS\u00e9"));
    submit(in, [&](DECabrilloIn& d) {
        d.Option16->setValue(true);
        EXPECT_EQ(d.Text3->Text(), QStringLiteral("Ano Isa "));  // the box shows them as sent
        d.Text5->setText(QStringLiteral("REN\u00c9 DUBOIS"));
        d.Command4->Press();
    });
    EXPECT_EQ(t.readFile(dataFile(QStringLiteral("K0XYZ.log"))),
              golden(QStringLiteral("cabrillo-rover.log")));
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), typed);
}

TEST_F(CabrilloWindowTest, OutOfStateLogMatchesTheGoldenFile) {
    t.writeFile(QStringLiteral("log.txt"),
                test::fixture(QStringLiteral("cabrillo-out-of-state-log.txt")));
    Outfrm& out = openOut();
    ASSERT_EQ(t.app().log().QSOCount, 4);
    t.dialogs().answerFile(dataFile(QStringLiteral("K9ABC.log")));
    submit(out, [&](DECabrilloIn& d) {
        d.Option16->setValue(true);  // no county is ever sent from outside the state
        EXPECT_EQ(d.Text3->Text(), QString());
        d.Option8->setValue(true);
        d.Text5->setText(QStringLiteral("Joe Brown"));
        d.Text6->setText(QStringLiteral("4 Elm St"));
        d.Text7->setText(QStringLiteral("Peoria, IL 61602"));
        d.Text8->setText(QStringLiteral("k9abc@example.net"));
        d.Text11->setText(QStringLiteral("Thanks for the counties!"));
        d.Command4->Press();
    });
    EXPECT_EQ(t.readFile(dataFile(QStringLiteral("K9ABC.log"))),
              golden(QStringLiteral("cabrillo-out-of-state.log")));
}

TEST_F(CabrilloWindowTest, EmptyLogGivesTheHeaderThenTheEnd) {
    t.app().station().OwnCountry.clear();
    writeLog({});
    Outfrm& out = openOut();
    t.dialogs().answerFile(dataFile(QStringLiteral("K9ABC.log")));
    submit(out, [&](DECabrilloIn& d) { d.Command4->Press(); });
    EXPECT_EQ(t.readFile(dataFile(QStringLiteral("K9ABC.log"))),
              golden(QStringLiteral("cabrillo-empty.log")));
}

TEST_F(CabrilloWindowTest, CancelWritesShowsAndSavesNothing) {
    StationSettings& st = t.app().station();
    st.OutOfStateFlag = 0;
    st.OwnCall = QStringLiteral("  K9ABC/M ");
    writeLog({});
    Infrm& in = open(&Forms::Infrm);
    t.dialogs().clearShown();
    t.dialogs().answerFileCancel();
    submit(in, [&](DECabrilloIn& d) {
        EXPECT_EQ(d.Caption(), QStringLiteral("Summary Sheet Information"));
        // Single Op - Low is chosen at load; each option names its category.
        EXPECT_EQ(d.categoryText(), QStringLiteral("SINGLE-OP LOW"));
        const std::pair<OptionButton*, const char*> options[] = {
            {d.Option5, "SINGLE-OP HIGH"},
            {d.Option16, "MOBILE"},
            {d.Option2, "VHF"},
            {d.Option7, "MULTI-OP SINGLE TRANSMITTER"},
            {d.Option8, "QRP"},
            {d.Option6, "SINGLE-OP LOW"}};
        for (const auto& [option, text] : options) {
            option->setValue(true);
            EXPECT_EQ(d.categoryText(), QLatin1String(text));
        }
        d.Text5->setText(QStringLiteral("Joe"));
        d.Command4->Press();
    });
    // The call is trimmed in the settings before the dialog; the name proposed is its leading
    // letters and digits.
    EXPECT_EQ(st.OwnCall, QStringLiteral("K9ABC/M"));
    ASSERT_EQ(t.dialogs().shown().size(), 1u);
    const ShownDialog& save = t.dialogs().shown().front();
    EXPECT_EQ(save.kind, ShownDialog::FileSave);
    EXPECT_EQ(save.text, dataFile(QStringLiteral("K9ABC.log")));
    EXPECT_EQ(save.filter, QStringLiteral("LOG Files (*.log) | *.log"));
    EXPECT_EQ(t.beeper().count(), 0);
    EXPECT_TRUE(QDir(t.app().startup().DataFolder).entryList({QStringLiteral("*.log")}).isEmpty());
    EXPECT_EQ(registry("UserAddressName"), QString());
    EXPECT_FALSE(QFile::exists(xmlPath()));
}

TEST_F(CabrilloWindowTest, DetailsAreWrittenAsTypedAndSavedTrimmed) {
    Platform& p = t.app().platform();
    p.registry.save(QStringLiteral("Ardlow_Software"), QStringLiteral("Settings"),
                    QStringLiteral("UserAddressName"), QStringLiteral("Old Name"));
    p.registry.save(QStringLiteral("Ardlow_Software"), QStringLiteral("Settings"),
                    QStringLiteral("UserClubName"), QStringLiteral("Old Club"));
    writeLog({});
    Outfrm& out = openOut();
    out.lblTotScore->setCaption(QStringLiteral("1,234"));  // copied as displayed
    int xmlSaves = 0;
    t.files().setFault([&](Files::Op op, const QString& path) {
        if (op == Files::Op::Rewrite && path.endsWith(QLatin1String(".xml"))) ++xmlSaves;
    });
    t.dialogs().clearShown();
    const QString chosen = dataFile(QStringLiteral("contest.log"));
    t.dialogs().answerFile(chosen);
    submit(out, [&](DECabrilloIn& d) {
        // The load fills the boxes from the registry; a missing value leaves its box empty.
        EXPECT_EQ(d.Text5->Text(), QStringLiteral("Old Name"));
        EXPECT_EQ(d.Text2->Text(), QStringLiteral("Old Club"));
        EXPECT_EQ(d.Text6->Text(), QString());
        d.Text5->setText(QStringLiteral("  Joe Smith  "));
        d.Text6->setText(QStringLiteral(" 1 Main St"));
        d.Text7->setText(QStringLiteral("Springfield "));
        d.Text8->setText(QStringLiteral(" joe@example.net "));
        d.Text2->setText(QStringLiteral(" Star Club "));
        d.Command4->Press();
        settle();
        EXPECT_EQ(QApplication::focusWidget(), d.Command3);
    });

    const QStringList lines = QString::fromLatin1(t.readFile(chosen)).split(QStringLiteral("\r\n"));
    for (const char* l : {"NAME:   Joe Smith  ", "ADDRESS:  1 Main St", "ADDRESS: Springfield ",
                          "ADDRESS: (e-mail)  joe@example.net ", "CLUB-NAME:  Star Club ",
                          "TOTAL CLAIMED-SCORE: 1,234", "OPERATORS: K9ABC"}) {
        EXPECT_TRUE(lines.contains(QLatin1String(l))) << l;
    }

    EXPECT_EQ(t.beeper().count(), 1);
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    const ShownDialog box = t.dialogs().messages().front();
    EXPECT_EQ(box.title, QStringLiteral("File Written Successfully."));
    EXPECT_EQ(box.text,
              QStringLiteral("The file was successfully written to the directory:\r\n\r\n") +
                  chosen +
                  QStringLiteral(".\r\n\r\nAttach this file to an e-mail addressed for contest "
                                 "submission.  If you wish to print this file, you can open it "
                                 "with Notepad or Wordpad to print."));

    EXPECT_EQ(registry("UserAddressName"), QStringLiteral("Joe Smith"));
    EXPECT_EQ(registry("UserAddressLine1"), QStringLiteral("1 Main St"));
    EXPECT_EQ(registry("UserAddressLine2"), QStringLiteral("Springfield"));
    EXPECT_EQ(registry("UserEMail"), QStringLiteral("joe@example.net"));
    EXPECT_EQ(registry("UserClubName"), QStringLiteral("Star Club"));
    EXPECT_EQ(xmlSaves, 1);
    const QString xml = QString::fromUtf8(t.readFile(xmlPath()));
    EXPECT_TRUE(
        xml.endsWith(QStringLiteral("\r\n<OWN_ADDRESS_NAME>Joe Smith</OWN_ADDRESS_NAME>"
                                    "\r\n<OWN_ADDRESS_LINE1>1 Main St</OWN_ADDRESS_LINE1>"
                                    "\r\n<OWN_ADDRESS_LINE2>Springfield</OWN_ADDRESS_LINE2>"
                                    "\r\n<OWN_EMAIL>joe@example.net</OWN_EMAIL>"
                                    "\r\n<OWN_CLUB_NAME>Star Club</OWN_CLUB_NAME>\r\n")))
        << xml.toStdString();
}

TEST_F(CabrilloWindowTest, FailedWriteKeepsTheEarlierFileAndSavesNothing) {
    writeLog({contact()});
    Outfrm& out = openOut();
    const QString target = dataFile(QStringLiteral("K9ABC.log"));
    t.writeFile(target, "earlier file\r\n");
    t.files().setFault([](Files::Op op, const QString& path) {
        if (op == Files::Op::Rewrite && path.endsWith(QLatin1String(".log"))) {
            throw Error(err::kDiskFull, QStringLiteral("No space left on device"));
        }
    });
    const QByteArray log = t.readFile(QStringLiteral("log.txt"));
    t.dialogs().clearShown();
    t.dialogs().answerFile(target);
    // A second try names the contest log itself: refused, the log untouched.
    t.dialogs().answerFile(t.path(QStringLiteral("LOG.TXT")));
    submit(out, [&](DECabrilloIn& d) {
        d.Text5->setText(QStringLiteral("Joe"));
        d.Command4->Press();
        t.files().setFault({});
        d.Command4->Press();
    });
    const auto boxes = t.dialogs().messages();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].title, QStringLiteral("Unable to write file."));
    EXPECT_EQ(boxes[0].text,
              target + QStringLiteral(" could not be written: No space left on device"));
    EXPECT_EQ(boxes[1].title, QStringLiteral("Unable to write file."));
    EXPECT_TRUE(boxes[1].text.startsWith(QStringLiteral("The submission file cannot be written")));
    // The program's one box for an unwritten file, whichever text it carries.
    EXPECT_EQ(boxes[0].icon, Icon::Exclamation);
    EXPECT_EQ(boxes[1].icon, Icon::Exclamation);
    EXPECT_EQ(t.beeper().count(), 2);
    EXPECT_EQ(t.readFile(target), QByteArray("earlier file\r\n"));
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(t.app().startup().DataFolder).entryList(QDir::Files),
              QStringList{QStringLiteral("K9ABC.log")});
    EXPECT_EQ(t.readFile(QStringLiteral("log.txt")), log);
    EXPECT_EQ(registry("UserAddressName"), QString());
    EXPECT_FALSE(QFile::exists(xmlPath()));
}

// The submission file is written whole before the details are saved: a preferences file that
// cannot be saved afterwards is told as what it is, and never as a failed submission file.
TEST_F(CabrilloWindowTest, APreferencesFileThatCannotBeSavedIsNotToldAsTheSubmissionFile) {
    writeLog({contact()});
    Outfrm& out = openOut();
    ASSERT_TRUE(QDir(t.app().startup().SharedFolder).removeRecursively());
    const QString chosen = dataFile(QStringLiteral("K9ABC.log"));
    t.dialogs().clearShown();
    t.dialogs().answerFile(chosen);
    submit(out, [&](DECabrilloIn& d) {
        d.Text5->setText(QStringLiteral(" Joe "));
        d.Command4->Press();
        settle();
        EXPECT_EQ(QApplication::focusWidget(), d.Command3);
    });

    EXPECT_TRUE(
        t.readFile(chosen).endsWith("\r\nNAME:  Joe \r\nADDRESS: \r\nADDRESS: \r\n"
                                    "ADDRESS: (e-mail) \r\nSOAPBOX: \r\nQSO: 14000 PH "
                                    "2026-09-12 1405 K9ABC     JOE       IL      W0AAA     "
                                    "BOB       AIT\r\nEND-OF-LOG:\r\n"));
    const auto boxes = t.dialogs().messages();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].title, QStringLiteral("File Written Successfully."));
    EXPECT_TRUE(boxes[0].text.contains(chosen));
    EXPECT_EQ(boxes[1].title, QStringLiteral("Unable to write file."));
    EXPECT_EQ(boxes[1].icon, Icon::Exclamation);
    EXPECT_TRUE(boxes[1].text.startsWith(xmlPath() + QStringLiteral(" could not be written: ") +
                                         QString::fromLocal8Bit(std::strerror(ENOENT))))
        << boxes[1].text.toStdString();
    EXPECT_FALSE(boxes[1].text.contains(chosen));
    EXPECT_EQ(t.beeper().count(), 2);
    // The registry values were saved before the shared preferences.
    EXPECT_EQ(registry("UserAddressName"), QStringLiteral("Joe"));
}

// The program's own settings file cannot be written (a folder stands where it would be): the
// details are not kept where this window reads them, and the one box says so, naming the file,
// with no word of their being kept; with the shared preferences failing too, one box names both.
TEST_F(CabrilloWindowTest, UnsavedSubmitterDetailsAreToldOnceAndTruly) {
    struct Case {
        const char* what;
        bool sharedFails;
        const char* consequence;
    };
    const Case cases[] = {
        {"own settings only", false,
         "The submission file was written. Your details are kept only in the preferences shared "
         "with the other programs: this window will not show them the next time the program "
         "starts."},
        {"both files", true,
         "The submission file was written. Your details were not kept for the next time the "
         "program starts."},
    };
    writeLog({contact()});
    Outfrm& out = openOut();
    const QString settings = t.app().platform().registry.path();
    ASSERT_TRUE(QDir().mkpath(settings));
    const QString eisdir = QString::fromLocal8Bit(std::strerror(EISDIR));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.sharedFails) {
            ASSERT_TRUE(QDir(t.app().startup().SharedFolder).removeRecursively());
        }
        const QString chosen = dataFile(QStringLiteral("K9ABC.log"));
        t.dialogs().clearShown();
        t.beeper().reset();
        t.dialogs().answerFile(chosen);
        submit(out, [&](DECabrilloIn& d) {
            d.Text5->setText(QStringLiteral("Joe"));
            d.Command4->Press();
        });
        const auto boxes = t.dialogs().messages();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].title, QStringLiteral("File Written Successfully."));
        EXPECT_EQ(boxes[1].title, QStringLiteral("Unable to write file."));
        QString names = settings + QStringLiteral(" could not be written: ") + eisdir;
        if (c.sharedFails) {
            names += QStringLiteral("\r\n") + xmlPath() + QStringLiteral(" could not be written: ") +
                     QString::fromLocal8Bit(std::strerror(ENOENT));
        }
        EXPECT_EQ(boxes[1].text, names + QStringLiteral("\r\n\r\n") + QString::fromLatin1(c.consequence));
        EXPECT_EQ(t.beeper().count(), 2);
    }
}

}  // namespace
}  // namespace qf
