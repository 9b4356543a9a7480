// The Cabrillo writer as plain logic: header conditions, the "QSO:" columns and the "Mobile"
// county list. The whole files are compared against golden files in CabrilloWindowTest.
#include "logstore/QsoLog.h"
#include "logtools/Cabrillo.h"
#include "startup/StationSettings.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <functional>

namespace qf {
namespace {

QSORecord base() {
    QSORecord q;
    q.Call = QStringLiteral("W1AW");
    q.NameSent = QStringLiteral("JOE");
    q.NameRcvd = QStringLiteral("BOB");
    q.CountyRcvd = QStringLiteral("AIT");
    q.QSODate = QStringLiteral("2026/09/12");
    q.QSOTime = QStringLiteral("14:05:09");
    q.Mode = QStringLiteral("PH");
    q.Band = QStringLiteral("20");
    return q;
}

StationSettings station() {
    StationSettings s;
    s.OwnCall = QStringLiteral("K9ABC");
    s.OwnSPC = QStringLiteral("IL");
    s.OwnCountry = QStringLiteral("USA");
    s.OwnCounty = QStringLiteral("HEN");
    return s;
}

QStringList fileLines(const CabrilloInput& in, const QSOLog& log) {
    const QByteArray bytes = CabrilloFile(in, log);
    EXPECT_TRUE(bytes.endsWith("END-OF-LOG:\r\n"));
    // Every line ends in CR LF, and no CR or LF stands anywhere else.
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\r'));
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();  // after the last line end
    return lines;
}

struct FieldCase {
    const char* expected;
    const char* what;
    std::function<void(QSORecord&)> change;
};

TEST(CabrilloQSOLineTest, FieldsStartAtTheirColumnsAndNeverRunTogether) {
    const std::vector<FieldCase> cases = {
        // clang-format off
        //         1         2         3         4         5         6         7         8
        //2345678901234567890123456789012345678901234567890123456789012345678901234567890
        {"QSO: 14000 PH 2026-09-12 1405 K9ABC     JOE       IL      W1AW      BOB       AIT",
         "the columns of the table", [](QSORecord&) {}},
        {"QSO:       PH 2026-09-12 1405 K9ABC     JOE       IL      W1AW      BOB       AIT",
         "a band outside the ten leaves columns 6 to 11 blank",
         [](QSORecord& q) { q.Band = QStringLiteral("12"); }},
        {"QSO:    50 CW 2026-09-12 0905 K9ABC     JOE       IL      W1AW      BOB       AIT",
         "an edited 9:05 is read as a time, 6 m", [](QSORecord& q) {
             q.QSOTime = QStringLiteral("9:05");
             q.Mode = QStringLiteral("CW");
             q.Band = QStringLiteral("6");
         }},
        {"QSO:   222 DG 2026-09-12 1405 K9ABC     JOE       IL      KA1BCDEFG BOB       AIT",
         "a 12-character call is cut to 9, 1.25 m", [](QSORecord& q) {
             q.Call = QStringLiteral("KA1BCDEFGHIJ");
             q.Mode = QStringLiteral("DG");
             q.Band = QStringLiteral("1.25");
         }},
        {"QSO:  1800 PH 2026-09-12 1405 K9ABC     JOSEPHINE IL      W1AW      MAXIMILIA DX",
         "names cut to 9; a worked country is DX", [](QSORecord& q) {
             q.NameSent = QStringLiteral("JOSEPHINEX");
             q.NameRcvd = QStringLiteral("MAXIMILIAN");
             q.CountyRcvd.clear();
             q.SPC = QStringLiteral("Germany");
             q.Band = QStringLiteral("160");
         }},
        {"QSO:   432 PH 2026-09-12 1405 K9ABC     JOE       IL      W1AW      BOB       ON",
         "no county: the SPC, trimmed (a code with a blank is no country)", [](QSORecord& q) {
             q.CountyRcvd.clear();
             q.SPC = QStringLiteral("ON ");
             q.Band = QStringLiteral("70");
         }},
        {"QSO: 14000 PH 2026-09-12 1405 K9ABC     JOE       IL      W1AW      BOB       ",
         "neither county nor SPC: blanks up to column 78",
         [](QSORecord& q) { q.CountyRcvd.clear(); }},
        {"QSO: 14000 PH 2026-09-12 1405 K9ABC     JOE       IL      W1AW      BOB       HENNEPIN-WEST",
         "a long received county is written whole",
         [](QSORecord& q) { q.CountyRcvd = QStringLiteral(" HENNEPIN-WEST "); }},
        {"QSO: 14000 SSB 2026-09-12 1405 K9ABC     JOE       IL      W1AW      BOB       AIT",
         "a mode of three: one blank after it, the rest one column right",
         [](QSORecord& q) { q.Mode = QStringLiteral("SSB"); }},
        {"QSO: 14000 PH 2026/13/45 1405 K9ABC     JOE       IL      W1AW      BOB       AIT",
         "a date that does not read is written as stored",
         [](QSORecord& q) { q.QSODate = QStringLiteral("2026/13/45"); }},
        {"QSO: 14000 PH 12th-Sept-26 1405 K9ABC     JOE       IL      W1AW      BOB       AIT",
         "a long unreadable date: one blank after it, the rest moved right",
         [](QSORecord& q) { q.QSODate = QStringLiteral("12th-Sept-26"); }},
        {"QSO: 14000 PH 2026-09-12 14h05m K9ABC     JOE       IL      W1AW      BOB       AIT",
         "a time that does not read: as stored, the rest moved right",
         [](QSORecord& q) { q.QSOTime = QStringLiteral("14h05m"); }},
        {"QSO:  3500 PH 2026-09-12 2359 K9ABC     JOE       IL      W1AW      BOB       AIT",
         "hh:mm of a post-contest entry, 80 m", [](QSORecord& q) {
             q.QSOTime = QStringLiteral("23:59");
             q.Band = QStringLiteral("80");
         }},
        {"QSO: 14000 PH 2026-09-12 1405 K9ABC     JOE       IL      W1AW      BOB       AIT",
         "control characters in a hand-edited band, date and time are dropped before they are read",
         [](QSORecord& q) {
             q.Band = QStringLiteral("2\t0");
             q.QSODate = QStringLiteral("2026/09/\x01" "12");
             q.QSOTime = QStringLiteral("14:0\x7f" "5:09");
         }},
        {"QSO: 14000 PH 2026-09-12 1405 K9ABC     JOSE      IL      W1AW      JOSE      AIT",
         "a name the box let through in lower case is written in capitals, folded first",
         [](QSORecord& q) {
             q.NameSent = QStringLiteral("JOS\u00e9");
             q.NameRcvd = QStringLiteral("jos\u00e9");
         }},
        // Capitalised first, its y with diaeresis would become a letter outside Latin-1 and drop.
        {"QSO: 14000 PH 2026-09-12 1405 K9ABC     RENY      IL      W1AW      BOB       AIT",
         "a y with diaeresis keeps its letter: folded before it is capitalised",
         [](QSORecord& q) { q.NameSent = QStringLiteral("REN\u00ff"); }},
        // clang-format on
    };
    for (const FieldCase& c : cases) {
        QSORecord q = base();
        c.change(q);
        EXPECT_EQ(CabrilloQSOLine(q, QStringLiteral("K9ABC"), QStringLiteral("IL")).toStdString(),
                  c.expected)
            << c.what;
    }
}

TEST(CabrilloQSOLineTest, OwnCallAndOwnLocationAreCutAndTrimmedByTheFileWriter) {
    StationSettings st = station();
    st.OwnCall = QStringLiteral("  KA9ABCDEFGH ");
    QSOLog log;
    log.QSOCount = 3;
    log[1] = base();
    log[1].CountySent = QStringLiteral("ABCDEFGHIJ");  // cut to 8: runs up to the call's column
    log[2] = base();
    log[2].CountySent = QStringLiteral(" HEN");  // the first 8, then trimmed
    log[3] = base();
    log[3].CountySent = QStringLiteral("ABCDEFG ");
    CabrilloInput in;
    in.station = &st;
    in.inState = true;
    const QStringList lines = fileLines(in, log);
    ASSERT_GE(lines.size(), 4);
    // clang-format off
    //                                         1         2         3         4         5         6         7         8
    //                                2345678901234567890123456789012345678901234567890123456789012345678901234567890
    EXPECT_EQ(lines[lines.size() - 4].toStdString(), "QSO: 14000 PH 2026-09-12 1405 KA9ABCDEF JOE       ABCDEFGH W1AW      BOB       AIT");
    EXPECT_EQ(lines[lines.size() - 3].toStdString(), "QSO: 14000 PH 2026-09-12 1405 KA9ABCDEF JOE       HEN     W1AW      BOB       AIT");
    EXPECT_EQ(lines[lines.size() - 2].toStdString(), "QSO: 14000 PH 2026-09-12 1405 KA9ABCDEF JOE       ABCDEFG W1AW      BOB       AIT");
    // clang-format on
    EXPECT_TRUE(lines.contains(QStringLiteral("CALLSIGN: KA9ABCDEFGH")));

    // The out-of-state window's own location is OwnSPC on every line, whatever the record holds.
    st.OwnSPC = QStringLiteral("Illinois-North");
    in.inState = false;
    const QStringList out = fileLines(in, log);
    for (int i = 2; i <= 4; ++i) {
        EXPECT_EQ(out[out.size() - i].mid(50, 9), QStringLiteral("Illinois ")) << i;
    }
}

struct HeaderCase {
    const char* what;
    std::function<void(StationSettings&, CabrilloEntry&)> change;
    QStringList present;
    QStringList absentTags;
};

TEST(CabrilloFileTest, HeaderLinesFollowTheirConditions) {
    const std::vector<HeaderCase> cases = {
        {"the state spelled out, any case",
         [](StationSettings& s, CabrilloEntry&) { s.OwnSPC = QStringLiteral("rozIRAZAV"); },
         {"ROZIRAZAV COUNTY: HEN", "US STATE: rozIRAZAV"},
         {}},
        {"the state's code, any case: the county line only",
         [](StationSettings& s, CabrilloEntry&) { s.OwnSPC = QStringLiteral("mn"); },
         {"ROZIRAZAV COUNTY: HEN"},
         {"US STATE: "}},
        {"another state: the state line only",
         [](StationSettings&, CabrilloEntry&) {},
         {"US STATE: IL"},
         {"ROZIRAZAV COUNTY: "}},
        {"no state: neither line",
         [](StationSettings& s, CabrilloEntry&) { s.OwnSPC.clear(); },
         {},
         {"ROZIRAZAV COUNTY: ", "US STATE: "}},
        {"the country usa, any case: no country line",
         [](StationSettings& s, CabrilloEntry&) { s.OwnCountry = QStringLiteral("usa"); },
         {},
         {"COUNTRY: "}},
        {"an empty country: the tag alone",
         [](StationSettings& s, CabrilloEntry&) { s.OwnCountry.clear(); },
         {"COUNTRY: "},
         {}},
        {"control characters in a hand-edited state code and country are dropped before the tests",
         [](StationSettings& s, CabrilloEntry&) {
             s.OwnSPC = QStringLiteral("m\tN");
             s.OwnCountry = QStringLiteral("U\x01SA");
         },
         {"ROZIRAZAV COUNTY: HEN"},
         {"US STATE: ", "COUNTRY: "}},
        {"another country",
         [](StationSettings& s, CabrilloEntry&) { s.OwnCountry = QStringLiteral("Canada"); },
         {"COUNTRY: Canada"},
         {}},
        {"empty boxes: no club or counties line, own call as operator, bare name and address tags",
         [](StationSettings& s, CabrilloEntry&) { s.OwnCall = QStringLiteral(" K9ABC  "); },
         {"CALLSIGN: K9ABC", "OPERATORS: K9ABC", "NAME: ", "ADDRESS: ", "ADDRESS: (e-mail) ",
          "SOAPBOX: "},
         {"CLUB-NAME: ", "COUNTIES ACTIVATED: "}},
        {"each activated county once, in capitals, whatever the case typed",
         [](StationSettings&, CabrilloEntry& e) {
             e.counties = QStringLiteral("Ano isa ANO  Isa hen ");
         },
         {"COUNTIES ACTIVATED: ANO ISA HEN "},
         {}},
        {"filled boxes are written as typed",
         [](StationSettings&, CabrilloEntry& e) {
             e.club = QStringLiteral(" North Star DX ");
             e.operators = QStringLiteral("K9ABC N9XYZ");
             e.counties = QStringLiteral("HEN RAM ");
             e.name = QStringLiteral("  Joe Smith");
         },
         {"CLUB-NAME:  North Star DX ", "OPERATORS: K9ABC N9XYZ", "COUNTIES ACTIVATED: HEN RAM ",
          "NAME:   Joe Smith"},
         {}},
    };
    for (const HeaderCase& c : cases) {
        StationSettings st = station();
        CabrilloInput in;
        in.station = &st;
        in.programVersion = QStringLiteral("1.8");
        in.entry.category = QStringLiteral("SINGLE-OP LOW");
        c.change(st, in.entry);
        const QStringList lines = fileLines(in, QSOLog());
        for (const QString& l : c.present)
            EXPECT_TRUE(lines.contains(l)) << c.what << ": " << l.toStdString();
        for (const QString& tag : c.absentTags) {
            for (const QString& l : lines)
                EXPECT_FALSE(l.startsWith(tag)) << c.what << ": " << l.toStdString();
        }
    }
}

struct FoldCase {
    const char* what;
    QString typed;
    QString written;  // what the file holds for it, as if typed so
    std::function<void(StationSettings&, CabrilloEntry&, QSORecord&, const QString&)> set;
};

// A control character in any value would split or shift a line, and a checker refuses any byte
// that is not printable ASCII: each value is folded, and the file is the one its folded text
// gives, byte for byte.
TEST(CabrilloFileTest, EveryValueIsWrittenAsPrintableAscii) {
    // CR, LF and TAB, a Latin-1 letter and a character beyond Latin-1 in each value.
    const std::vector<FoldCase> cases = {
        {"own call", QStringLiteral("K9\rA\nB\tC\u00c9\u4e2d"), QStringLiteral("K9ABCE"),
         [](StationSettings& s, CabrilloEntry&, QSORecord&, const QString& v) { s.OwnCall = v; }},
        {"club", QStringLiteral("North\r\nStar\tDX \u00c9\u4e2d"), QStringLiteral("NorthStarDX E"),
         [](StationSettings&, CabrilloEntry& e, QSORecord&, const QString& v) { e.club = v; }},
        {"operators", QStringLiteral("K9ABC\r\nN9\tXYZ \u00c9\u4e2d"),
         QStringLiteral("K9ABCN9XYZ E"),
         [](StationSettings&, CabrilloEntry& e, QSORecord&, const QString& v) { e.operators = v; }},
        {"soapbox", QStringLiteral("Fun\r\nin \tthe\u00e9 sun\u4e2d"),
         QStringLiteral("Funin thee sun"),
         [](StationSettings&, CabrilloEntry& e, QSORecord&, const QString& v) { e.soapbox = v; }},
        {"name", QStringLiteral("Ren\u00e9\r\n\t \u4e2dSmith"), QStringLiteral("Rene Smith"),
         [](StationSettings&, CabrilloEntry& e, QSORecord&, const QString& v) { e.name = v; }},
        {"the names of a contact", QStringLiteral("REN\u00c9\r\n\t\u4e2dX"),
         QStringLiteral("RENEX"),
         [](StationSettings&, CabrilloEntry&, QSORecord& q, const QString& v) {
             q.NameSent = v;
             q.NameRcvd = v;
         }},
        {"county: own, sent and activated", QStringLiteral("h\u00c9n\r\n\t\u4e2d"),
         QStringLiteral("HEN"),
         [](StationSettings& s, CabrilloEntry& e, QSORecord& q, const QString& v) {
             s.OwnCounty = v;
             q.CountySent = v;
             e.counties = v;
         }},
        {"county received", QStringLiteral("\tst\u00ee\r\n\u4e2d"), QStringLiteral("STI"),
         [](StationSettings&, CabrilloEntry&, QSORecord& q, const QString& v) {
             q.CountyRcvd = v;
         }},
    };
    const auto file = [](const FoldCase& c, const QString& value) {
        StationSettings st = station();
        st.OwnSPC = QStringLiteral("MN");
        CabrilloInput in;
        in.station = &st;
        in.programVersion = QStringLiteral("1.8");
        in.inState = true;
        in.entry.category = QStringLiteral("SINGLE-OP LOW");
        QSOLog log;
        log.QSOCount = 1;
        log[1] = base();
        log[1].CountySent = QStringLiteral("AIT");
        c.set(st, in.entry, log[1], value);
        return CabrilloFile(in, log);
    };
    for (const FoldCase& c : cases) {
        const QByteArray bytes = file(c, c.typed);
        EXPECT_EQ(bytes, file(c, c.written)) << c.what;
        qsizetype stray = -1;  // the first byte that is neither printable nor a CR LF
        for (qsizetype i = 0; stray < 0 && i < bytes.size(); ++i) {
            const char b = bytes[i];
            const bool lineEnd = (b == '\r' && bytes.mid(i, 2) == "\r\n") ||
                                 (b == '\n' && i > 0 && bytes[i - 1] == '\r');
            if (!lineEnd && (b < 0x20 || b > 0x7E)) stray = i;
        }
        EXPECT_EQ(stray, -1) << c.what;
    }
}

TEST(CabrilloFileTest, CategoryTexts) {
    const std::pair<CabrilloCategory, const char*> cases[] = {
        {CabrilloCategory::SingleOpLow, "SINGLE-OP LOW"},
        {CabrilloCategory::SingleOpHigh, "SINGLE-OP HIGH"},
        {CabrilloCategory::VHF, "VHF"},
        {CabrilloCategory::QRP, "QRP"},
        {CabrilloCategory::MultiSingle, "MULTI-OP SINGLE TRANSMITTER"},
        {CabrilloCategory::Mobile, "MOBILE"}};
    for (const auto& [category, text] : cases) {
        EXPECT_EQ(CabrilloCategoryText(category), QLatin1String(text));
    }
}

TEST(CabrilloFileTest, MobileCountiesAreAddedOnceEach) {
    QSOLog log;
    const char* sent[] = {"HEN", "", "RAM", "hen", "STL", "ram"};
    for (const char* c : sent) log[++log.QSOCount].CountySent = QString::fromLatin1(c);

    const QString once = WithActivatedCounties(QString(), log);
    EXPECT_EQ(once, QStringLiteral("HEN RAM STL "));
    // Chosen a second time: nothing is added twice.
    EXPECT_EQ(WithActivatedCounties(once, log), once);
    // A code that stands inside a longer one already listed is taken as listed.
    EXPECT_EQ(WithActivatedCounties(QStringLiteral("HENX STLO "), log),
              QStringLiteral("HENX STLO RAM "));
    // Contacts that never carry a sent county (the out-of-state log) add nothing.
    QSOLog outOfState;
    outOfState.QSOCount = 2;
    EXPECT_EQ(WithActivatedCounties(QString(), outOfState), QString());
}

}  // namespace
}  // namespace qf
