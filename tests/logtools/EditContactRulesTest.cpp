// The edit dialogs' rules without a window: the key filters, the leave checks, the duplicate
// scan that skips the edited record, and the write-back.
#include "logging/SPCTable.h"
#include "logtools/EditContact.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

QSORecord record(const char* call, const char* band, const char* mode, const char* county,
                 const char* sent = "AIT") {
    QSORecord q;
    q.Call = QString::fromLatin1(call);
    q.Band = QString::fromLatin1(band);
    q.Mode = QString::fromLatin1(mode);
    q.CountyRcvd = QString::fromLatin1(county);
    q.CountySent = QString::fromLatin1(sent);
    return q;
}

EditedContact editOf(const QSORecord& q) {
    EditedContact e;
    e.call = q.Call;
    e.band = q.Band;
    e.mode = q.Mode;
    e.countyRcvd = q.CountyRcvd;
    e.countySent = q.CountySent;
    return e;
}

TEST(EditContactRules, KeyFiltersPerKindOfBox) {
    struct Case {
        EditKeys keys;
        int key;
        int expected;
    };
    const Case cases[] = {
        {EditKeys::Letters, 'k', 'K'},
        {EditKeys::Letters, '-', '-'},
        {EditKeys::Letters, '/', '/'},
        {EditKeys::Letters, '.', '.'},
        {EditKeys::Letters, '7', '7'},
        {EditKeys::Date, '/', '/'},
        {EditKeys::Date, '5', '5'},
        {EditKeys::Date, 8, 8},
        {EditKeys::Date, 'a', 0},
        {EditKeys::Date, 'A', 0},
        {EditKeys::Date, '-', 0},
        {EditKeys::Date, '.', 0},
        {EditKeys::Date, ':', 0},
        {EditKeys::Time, ':', ':'},
        {EditKeys::Time, '9', '9'},
        {EditKeys::Time, 8, 8},
        {EditKeys::Time, '/', 0},
        {EditKeys::Time, 'p', 0},
        {EditKeys::Time, '.', 0},
        // The type-ahead boxes leave every key to their own rule.
        {EditKeys::State, 'm', 'm'},
        {EditKeys::County, 'h', 'h'},
        {EditKeys::CountySent, '-', '-'},
    };
    for (const Case& c : cases) {
        int k = c.key;
        EditKeyFilter(c.keys, k);
        EXPECT_EQ(k, c.expected) << "kind " << static_cast<int>(c.keys) << " key " << c.key;
    }
}

TEST(EditContactRules, LeaveChecks) {
    EXPECT_TRUE(IsEditBand(QStringLiteral("1.25")));
    EXPECT_TRUE(IsEditBand(QStringLiteral("70")));
    EXPECT_FALSE(IsEditBand(QStringLiteral("17")));
    EXPECT_FALSE(IsEditBand(QStringLiteral(" 20")));
    EXPECT_TRUE(IsEditMode(QStringLiteral("dg")));
    EXPECT_FALSE(IsEditMode(QStringLiteral("RY")));

    EXPECT_TRUE(ReadsAsEditDate(QStringLiteral("2026/09/12")));
    EXPECT_FALSE(ReadsAsEditDate(QStringLiteral("2026/13/12")));
    EXPECT_FALSE(ReadsAsEditDate(QString()));
    EXPECT_TRUE(ReadsAsEditTime(QStringLiteral("9:05")));
    EXPECT_TRUE(ReadsAsEditTime(QStringLiteral("14:00:00")));
    EXPECT_TRUE(ReadsAsEditTime(QStringLiteral("2026/09/12")));  // a date passes as a time
    EXPECT_FALSE(ReadsAsEditTime(QStringLiteral("25:00")));
    EXPECT_FALSE(ReadsAsEditTime(QString()));

    CountyTable counties;
    counties.rows.push_back({QStringLiteral("AIT"), QStringLiteral("Aitkin")});
    counties.CountyCount = 1;
    EXPECT_TRUE(PassesEditCountyCheck(counties, QStringLiteral("ait"), false));
    EXPECT_FALSE(PassesEditCountyCheck(counties, QStringLiteral("AIT "), false));  // untrimmed
    EXPECT_TRUE(PassesEditCountyCheck(counties, QString(), true));
    EXPECT_FALSE(PassesEditCountyCheck(counties, QString(), false));

    SPCTable spc;
    spc.fill();
    EXPECT_TRUE(PassesStateCodeCheck(spc, QStringLiteral("mn")));
    EXPECT_FALSE(PassesStateCodeCheck(spc, QStringLiteral("XX")));
    EXPECT_TRUE(PassesStateCodeCheck(spc, QStringLiteral("X")));
    EXPECT_TRUE(PassesStateCodeCheck(spc, QString()));
    EXPECT_TRUE(PassesStateCodeCheck(spc, QStringLiteral("Germany")));
}

TEST(EditContactRules, TheDuplicateScanSkipsTheEditedRecordAndFindsEveryRepeat) {
    QSOLog log;
    log[1] = record("K0AA", "20", "PH", "HEN");
    log[2] = record("K0AA", "20", "PH", "HEN");
    log[3] = record("k0aa", "20", "ph", "hen");
    log[4] = record("K0AA", "20", "PH", "HEN", "CRW");  // sent from another county
    log.QSOCount = 4;
    // Unchanged, the edited record is not its own duplicate, but its repeats are.
    EXPECT_EQ(EditDuplicates(log, 1, editOf(log[1]), Exchange::InState), (std::vector<int>{2, 3}));
    EXPECT_EQ(EditDuplicates(log, 4, editOf(log[4]), Exchange::InState), std::vector<int>{});
    // Out of state the county sent does not count.
    EXPECT_EQ(EditDuplicates(log, 4, editOf(log[4]), Exchange::OutOfState),
              (std::vector<int>{1, 2, 3}));
    // The boxes are compared untrimmed.
    EditedContact spaced = editOf(log[1]);
    spaced.call += QLatin1Char(' ');
    EXPECT_TRUE(EditDuplicates(log, 1, spaced, Exchange::OutOfState).empty());
    // Rows beyond the count are never read.
    log[5] = record("K0AA", "20", "PH", "HEN");
    EXPECT_EQ(EditDuplicates(log, 4, editOf(log[4]), Exchange::OutOfState).size(), 3u);
}

TEST(EditContactRules, WriteBackTrimsOnlyOutOfState) {
    EditedContact e;
    e.call = QStringLiteral(" K0AA ");
    e.nameRcvd = QStringLiteral(" SUE");
    e.nameSent = QStringLiteral("JOE ");
    e.countyRcvd = QStringLiteral(" HEN ");
    e.spc = QStringLiteral("MN");
    e.countySent = QStringLiteral("Crw");
    e.date = QStringLiteral("2026-9-12");
    e.time = QStringLiteral("9:05");
    e.mode = QStringLiteral("CW");
    e.band = QStringLiteral("17");
    QSORecord q;
    q.Frequency = QStringLiteral("14.250");
    q.SPC = QStringLiteral("OH");
    q.CountySent = QStringLiteral("AIT");
    QSORecord out = q;
    WriteEdit(out, e, Exchange::OutOfState);
    EXPECT_EQ(out.Call, QStringLiteral("K0AA"));
    EXPECT_EQ(out.NameRcvd, QStringLiteral("SUE"));
    EXPECT_EQ(out.NameSent, QStringLiteral("JOE"));
    EXPECT_EQ(out.CountyRcvd, QStringLiteral("HEN"));
    EXPECT_EQ(out.SPC, QStringLiteral("OH"));  // no box: kept
    EXPECT_EQ(out.CountySent, QStringLiteral("AIT"));
    EXPECT_EQ(out.QSODate, QStringLiteral("2026-9-12"));  // as typed
    EXPECT_EQ(out.QSOTime, QStringLiteral("9:05"));
    EXPECT_EQ(out.Band, QStringLiteral("17"));
    EXPECT_EQ(out.Frequency, QStringLiteral("14.250"));

    QSORecord in = q;
    WriteEdit(in, e, Exchange::InState);
    EXPECT_EQ(in.Call, QStringLiteral(" K0AA "));
    EXPECT_EQ(in.CountyRcvd, QStringLiteral(" HEN "));
    EXPECT_EQ(in.SPC, QStringLiteral("MN"));
    EXPECT_EQ(in.CountySent, QStringLiteral("Crw"));
    EXPECT_EQ(in.Frequency, QStringLiteral("14.250"));
}

}  // namespace
}  // namespace qf
