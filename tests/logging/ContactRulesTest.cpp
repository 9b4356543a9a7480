// The entry rules as tables over small logs, without a window.
#include "logging/ContactRules.h"
#include "logging/SPCTable.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

QSORecord q(const char* call, const char* band, const char* mode, const char* county,
            const char* spc = "MN", const char* sent = "AIT", const char* name = "") {
    QSORecord r;
    r.Call = QString::fromLatin1(call);
    r.Band = QString::fromLatin1(band);
    r.Mode = QString::fromLatin1(mode);
    r.CountyRcvd = QString::fromLatin1(county);
    r.SPC = QString::fromLatin1(spc);
    r.CountySent = QString::fromLatin1(sent);
    r.NameRcvd = QString::fromLatin1(name);
    r.QSODate = QStringLiteral("2026/09/12");
    r.QSOTime = QStringLiteral("15:01:00");
    return r;
}

QSOLog logOf(std::initializer_list<QSORecord> rows) {
    QSOLog log;
    for (const QSORecord& r : rows) log[++log.QSOCount] = r;
    return log;
}

EntryTexts entry(const char* call, const char* name, const char* spc, const char* county) {
    return {QString::fromLatin1(call), QString::fromLatin1(name), QString::fromLatin1(spc),
            QString::fromLatin1(county)};
}

TEST(ContactRulesTest, MissingFieldsInOrderForEachExchange) {
    struct Case {
        Exchange exchange;
        EntryTexts e;
        std::vector<EntryBox> failing;
    };
    const Case cases[] = {
        {Exchange::OutOfState, entry("W1AW", "BOB", "", "AIT"), {}},
        {Exchange::OutOfState, entry("W1", "", "", ""), {EntryBox::County, EntryBox::Name, EntryBox::Call}},
        {Exchange::InState, entry("W1AW", "BOB", "OH", ""), {}},  // no county outside the state
        {Exchange::InState, entry("W1AW", "BOB", "mn", ""), {EntryBox::County}},
        {Exchange::InState, entry("W1AW", "", "", ""), {EntryBox::Name, EntryBox::Spc}},
        {Exchange::InState, entry("", "", "MN", ""),
         {EntryBox::County, EntryBox::Name, EntryBox::Call}},
    };
    for (const Case& c : cases) {
        std::vector<EntryBox> boxes;
        for (const FieldFailure& f : MissingFields(c.e, c.exchange, QStringLiteral("MN"))) {
            boxes.push_back(f.box);
        }
        EXPECT_EQ(boxes, c.failing) << c.e.call.toStdString() << "/" << c.e.spc.toStdString();
    }
    // "Need Country!" comes last, so it is the message that stays.
    const auto f = MissingFields(entry("W1AW", "", "", ""), Exchange::InState, QStringLiteral("MN"));
    EXPECT_EQ(f.back().message, QStringLiteral("Need Country!"));
}

TEST(ContactRulesTest, SectionAndCountyChecks) {
    SPCTable spc;
    spc.fill();
    EXPECT_TRUE(IsKnownSection(spc, QStringLiteral("oh")));
    EXPECT_TRUE(IsKnownSection(spc, QStringLiteral("MN")));
    EXPECT_FALSE(IsKnownSection(spc, QStringLiteral("XX")));
    CountyTable counties;
    counties.rows.push_back({QStringLiteral("AIT"), QStringLiteral("Aitkin")});
    counties.CountyCount = 1;
    EXPECT_TRUE(IsKnownCounty(counties, QStringLiteral("ait")));
    EXPECT_FALSE(IsKnownCounty(counties, QStringLiteral("Aitkin")));
    EXPECT_EQ(BadCountyText(QStringLiteral("XYZ")), QStringLiteral("XYZ is not a valid county!"));
}

TEST(ContactRulesTest, DuplicateRuleWithItsRoverException) {
    const QSOLog log = logOf({
        q("W1AW", "20", "PH", "", "OH", "AIT"),    // 1: outside the state
        q("K0AB", "20", "PH", "HEN", "MN", "AIT"),  // 2
        q("K0AB", "20", "PH", "CRV", "MN", "STL"),  // 3: the rover again, another county each side
        q("K0AB", "40", "CW", "WSH", "MN", "AIT"),  // 4
    });
    struct Case {
        const char* what;
        Exchange exchange;
        EntryTexts e;
        const char* band;
        const char* mode;
        const char* ownCounty;
        int row;
        const char* county;
        const char* spc;
    };
    const Case cases[] = {
        {"same five", Exchange::InState, entry("k0ab", "", "MN", "hen"), "20", "ph", "AIT", 2, "hen", "MN"},
        {"another county received", Exchange::InState, entry("K0AB", "", "MN", "WRI"), "20", "PH", "AIT", 0, "WRI", "MN"},
        {"sent from another own county", Exchange::InState, entry("K0AB", "", "MN", "HEN"), "20", "PH", "WRI", 0, "HEN", "MN"},
        {"the county sent decides", Exchange::InState, entry("K0AB", "", "MN", "CRV"), "20", "PH", "STL", 3, "CRV", "MN"},
        {"another band", Exchange::InState, entry("K0AB", "", "MN", "HEN"), "40", "PH", "AIT", 0, "HEN", "MN"},
        {"another mode", Exchange::InState, entry("K0AB", "", "MN", "HEN"), "20", "CW", "AIT", 0, "HEN", "MN"},
        {"county filled from the first contact", Exchange::InState, entry("K0AB", "", "MN", ""), "20", "PH", "AIT", 2, "HEN", "MN"},
        {"no county fill outside the state", Exchange::InState, entry("K0AB", "", "WI", ""), "20", "PH", "AIT", 0, "", "WI"},
        {"empty state box takes the first", Exchange::InState, entry("W1AW", "", "", ""), "20", "PH", "AIT", 1, "", "OH"},
        {"empty state box and county from one contact", Exchange::InState, entry("K0AB", "", "", ""), "20", "PH", "AIT", 2, "HEN", "MN"},
        {"out of state ignores the county sent", Exchange::OutOfState, entry("K0AB", "", "", "CRV"), "20", "PH", "", 3, "CRV", ""},
        {"out of state fills the county", Exchange::OutOfState, entry("K0AB", "", "", ""), "40", "CW", "", 0, "HEN", ""},
        {"unknown call", Exchange::OutOfState, entry("N0NE", "", "", ""), "20", "PH", "", 0, "", ""},
    };
    for (const Case& c : cases) {
        DupeQuery query;
        query.exchange = c.exchange;
        query.entry = c.e;
        query.band = QString::fromLatin1(c.band);
        query.mode = QString::fromLatin1(c.mode);
        query.ownCounty = QString::fromLatin1(c.ownCounty);
        query.contestState = QStringLiteral("MN");
        const DupeAnswer a = FindDuplicate(log, query);
        EXPECT_EQ(a.row, c.row) << c.what;
        EXPECT_EQ(a.county, QString::fromLatin1(c.county)) << c.what;
        EXPECT_EQ(a.spc, QString::fromLatin1(c.spc)) << c.what;
    }
    EXPECT_EQ(FindDuplicate(QSOLog(), DupeQuery()).row, 0);  // an empty log finds nothing
}

TEST(ContactRulesTest, EarlierContactsFillEmptyBoxesAndWarnOfRepeats) {
    const QSOLog log = logOf({
        q("W1AW", "40", "CW", "", "", "", ""),
        q("W1AW", "20", "PH", "AIT", "", "", "BOB"),
        q("K0XX", "20", "PH", "HEN", "", "", "SUE"),
        q("W1AW", "20", "PH", "HEN", "", "", "ROB"),
    });
    EarlierContacts e = ScanEarlierContacts(log, entry("W1AW", "", "", ""), QStringLiteral("20"),
                                            QStringLiteral("PH"), false);
    EXPECT_EQ(e.rows, (std::vector<int>{1, 2}));  // stops at the first repeat
    EXPECT_EQ(e.warnings, (std::vector<int>{2}));
    EXPECT_EQ(e.boxes.county, QStringLiteral("AIT"));  // the first non-empty value
    EXPECT_EQ(e.boxes.name, QStringLiteral("BOB"));
    e = ScanEarlierContacts(log, entry("W1AW", "AL", "", ""), QStringLiteral("20"),
                            QStringLiteral("PH"), true);
    EXPECT_EQ(e.rows, (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(e.warnings, (std::vector<int>{2, 4}));
    EXPECT_EQ(e.boxes.name, QStringLiteral("AL"));  // a box already filled is kept
    EXPECT_EQ(RoverWarningText(log[4], 4, Exchange::OutOfState),
              QStringLiteral("Duplicate Unless Rover!  W1AW  2026/09/12  15:01:00   Rec#  4"));
    EXPECT_EQ(RoverWarningText(log[4], 4, Exchange::InState),
              QStringLiteral("Dupe if not rover!  W1AW  09/26  15:01:00   Rec#  4"));
    EXPECT_EQ(DuplicateText(log[4], 4, Exchange::OutOfState),
              QStringLiteral("Duplicate W1AW  2026/09/12  15:01:00   Rec#  4"));
    EXPECT_EQ(DuplicateText(log[4], 4, Exchange::InState),
              QStringLiteral("Duplicate W1AW 09/12 15:01:00  Rec#  4"));
    QSORecord bad = log[4];
    bad.QSODate = QStringLiteral("someday");
    EXPECT_TRUE(DuplicateText(bad, 4, Exchange::InState).isEmpty());
}

TEST(ContactRulesTest, PartialDupeListNewestFirst) {
    QSOLog log = logOf({q("W1AW", "20", "PH", "", "", "AIT"), q("W1AX", "20", "PH", "", "", "STL"),
                        q("W1AY", "20", "CW", "", "", "AIT"), q("w1az", "20", "ph", "", "", "AIT")});
    const QString t = QStringLiteral("W1A"), b = QStringLiteral("20"), m = QStringLiteral("PH");
    EXPECT_EQ(PartialDupeList(log, t, b, m), QStringLiteral("w1az W1AX W1AW "));
    EXPECT_EQ(PartialDupeList(log, t, b, m, QStringLiteral("AIT")), QStringLiteral("w1az W1AW "));
    EXPECT_TRUE(PartialDupeList(log, QStringLiteral("K"), b, m).isEmpty());
    // A long list stops past 100 characters and keeps the oldest matches.
    QSOLog big;
    for (int i = 0; i < 50; ++i) big[++big.QSOCount] = q(qPrintable(QStringLiteral("W1A%1").arg(i, 2, 10, QLatin1Char('0'))), "20", "PH", "");
    const QString list = PartialDupeList(big, t, b, m);
    EXPECT_EQ(list.size(), 102);  // 17 calls, five characters and a blank each
    EXPECT_TRUE(list.endsWith(QStringLiteral("W1A00 ")));
}

TEST(ContactRulesTest, TwoPointsInEveryMode) {
    Tallies t;
    for (const char* m : {"CW", "ph", "DG", "RTTY"}) CountContact(t, QString::fromLatin1(m));
    EXPECT_EQ(t.QSOPoints, 8);
    EXPECT_EQ(t.CWQSOCount, 1);
    EXPECT_EQ(t.PHQSOCount, 1);
    EXPECT_EQ(t.DGQSOCount, 2);
}

}  // namespace
}  // namespace qf
