// The log file's format as plain data: the line reader's findings, the record it reads into a
// row that already holds one, the hash over bytes cut into any pieces, and which records read
// back as they were written.
#include "logstore/LogFileFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace qf {
namespace {

QSORecord record(const char* call, const char* name = "BOB") {
    QSORecord q;
    q.Call = QString::fromLatin1(call);
    q.NameSent = QStringLiteral("JOHN");
    q.NameRcvd = QString::fromLatin1(name);
    q.QSODate = QStringLiteral("2026/09/12");
    q.QSOTime = QStringLiteral("14:02:33");
    q.Mode = QStringLiteral("CW");
    q.Band = QStringLiteral("20");
    return q;
}

TEST(LogFileFormatTest, TheReaderFindsEveryKindOfLine) {
    const QByteArray a = encodeRecord(record("K1ABC"));  // ends in CR LF
    const QByteArray b = encodeRecord(record("W9XYZ"));
    const QByteArray bare = a.left(a.size() - 2);
    struct Case {
        const char* what;
        QByteArray data;
        int capacity;
        int whole;
        QList<int> damaged;
        int badNumber;
        bool cutShort, endsOpen, bareCR, overCapacity;
        int lines;
    };
    // One line per case, read as a table.
    // clang-format off
    const Case cases[] = {
        {"nothing", "", 10, 0, {}, 0, false, false, false, false, 0},
        {"CR LF", a + b, 10, 2, {}, 0, false, false, false, false, 2},
        {"LF", bare + "\n" + bare + "\n", 10, 2, {}, 0, false, false, false, false, 2},
        {"a lone CR", bare + "\r" + b, 10, 2, {}, 0, false, false, true, false, 2},
        {"blank lines count as lines only", "\r\n" + a + "  \r\n" + b, 10, 2, {}, 0, false, false, false, false, 4},
        {"no last line end", a + bare, 10, 2, {}, 0, false, true, false, false, 2},
        {"a last line cut short", a + b.left(30), 10, 1, {2}, 0, true, true, false, false, 2},
        {"a lost quote", QByteArray(a).replace("\"BOB\"", "\"BOB") + b, 10, 1, {1}, 0, false, false, false, false, 2},
        {"18 values", QByteArray(a).replace(",\"\",\"\"\r\n", ",\"\"\r\n") + b, 10, 1, {1}, 0, false, false, false, false, 2},
        {"20 values", a + QByteArray(b).replace("\r\n", ",\"x\"\r\n"), 10, 1, {2}, 0, false, false, false, false, 2},
        {"a number that is no number", a + QByteArray(b).replace(",0,", ",x,") + a, 10, 2, {}, 2, false, false, false, false, 3},
        {"one past the capacity", a + b + a, 2, 2, {}, 0, false, false, false, true, 3},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LogFileContents got = parseLogFile(c.data, c.capacity);
        EXPECT_EQ(got.wholeRecords, c.whole);
        EXPECT_EQ(static_cast<int>(got.records.size()), c.whole);
        EXPECT_EQ(got.damagedLines, c.damaged);
        EXPECT_EQ(got.badNumberLine, c.badNumber);
        EXPECT_EQ(got.cutShort, c.cutShort);
        EXPECT_EQ(got.endsOpen, c.endsOpen);
        EXPECT_EQ(got.bareCR, c.bareCR);
        EXPECT_EQ(got.overCapacity, c.overCapacity);
        EXPECT_EQ(got.lines, c.lines);
    }
}

// Read into rows that already hold records, a row is reported changed exactly when the line
// gives it another text or number: the log's change stamps rest on this.
TEST(LogFileFormatTest, ARowIsChangedOnlyWhenTheLineDiffersFromIt) {
    struct Case {
        const char* what;
        std::function<void(QSORecord&)> held;  // what the row holds before the read
        bool changed;
    };
    const Case cases[] = {
        {"the same record", [](QSORecord&) {}, false},
        {"another call", [](QSORecord& q) { q.Call = QStringLiteral("K1ABD"); }, true},
        {"a call in another case", [](QSORecord& q) { q.Call = QStringLiteral("k1abc"); }, true},
        {"a field the line leaves empty", [](QSORecord& q) { q.Reserved18 = QStringLiteral("x"); },
         true},
        {"another number", [](QSORecord& q) { q.Reserved16 = 2.5; }, true},
        {"the last field", [](QSORecord& q) { q.Frequency = QStringLiteral("14025.500"); }, true},
    };
    const QByteArray line = encodeRecord(record("K1ABC"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QSORecord row = record("K1ABC");
        c.held(row);
        QList<int> changed;
        LogFileContents contents;
        parseLogFile(
            line, kLogCapacity, contents, [&](int) -> QSORecord& { return row; },
            [&](int n) { changed << n; });
        EXPECT_EQ(changed, c.changed ? QList<int>{1} : QList<int>{});
        EXPECT_EQ(encodeRecord(row), line);
    }
}

// A parse that starts past what was read before goes on with the same numbering.
TEST(LogFileFormatTest, AReadFromWhereTheLastStoppedNumbersOnFromThere) {
    const QByteArray a = encodeRecord(record("K1ABC"));
    const QByteArray b = encodeRecord(record("W9XYZ"));
    const QByteArray data = a + "\r\n" + a + QByteArray(b).replace("\"BOB\"", "\"BOB") + b;
    std::vector<QSORecord> rows(4);
    LogFileContents contents;
    parseLogFile(
        data, kLogCapacity, contents,
        [&](int n) -> QSORecord& { return rows[static_cast<size_t>(n - 1)]; }, {},
        ParseStart{a.size() + 2, 1, 2});
    EXPECT_EQ(contents.wholeRecords, 3);
    EXPECT_EQ(contents.lines, 5);
    EXPECT_EQ(contents.damagedLines, QList<int>{4});
    EXPECT_EQ(rows[1].Call, QStringLiteral("K1ABC"));
    EXPECT_EQ(rows[2].Call, QStringLiteral("W9XYZ"));
    EXPECT_TRUE(rows[0].Call.isEmpty());  // before the start: not read again
}

TEST(LogFileFormatTest, TheHashOfTheSameBytesDoesNotDependOnThePieces) {
    QByteArray data;
    for (int i = 0; i < 40; ++i) data += encodeRecord(record("K1ABC"));
    const auto whole = [](const QByteArray& d) {
        ContentHash h;
        h.add(d.constData(), d.size());
        return h.value();
    };
    const quint64 expected = whole(data);
    for (const qsizetype piece : {1, 7, 31, 32, 33, 64, 1000}) {
        SCOPED_TRACE(piece);
        ContentHash h;
        for (qsizetype at = 0; at < data.size(); at += piece) {
            h.add(data.constData() + at, std::min(piece, data.size() - at));
        }
        EXPECT_EQ(h.value(), expected);
    }
    QByteArray oneByte = data;
    oneByte[oneByte.size() / 2] = 'Q';
    EXPECT_NE(whole(oneByte), expected);
    EXPECT_NE(whole(data + "\r\n"), expected);
    EXPECT_NE(whole(data.left(data.size() - 1)), expected);
    EXPECT_NE(whole(QByteArray(32, '\0')), whole(QByteArray(33, '\0')));  // length counts
}

TEST(LogFileFormatTest, WhatReadsBackAsWritten) {
    struct Case {
        const char* what;
        std::function<void(QSORecord&)> edit;
        bool readsBack;
    };
    const Case cases[] = {
        {"plain text", [](QSORecord&) {}, true},
        {"a Latin-1 letter", [](QSORecord& q) { q.NameRcvd = QStringLiteral("REN\u00C9"); }, true},
        {"a number of few digits", [](QSORecord& q) { q.Reserved16 = 2.5; }, true},
        {"a quote", [](QSORecord& q) { q.Call = QStringLiteral("W9\"XYZ"); }, false},
        {"a CR", [](QSORecord& q) { q.Frequency = QStringLiteral("1\r"); }, false},
        {"a LF", [](QSORecord& q) { q.Reserved17 = QStringLiteral("a\nb"); }, false},
        {"beyond Latin-1", [](QSORecord& q) { q.NameRcvd = QStringLiteral("\u0141UKASZ"); }, false},
        {"a number past 15 digits", [](QSORecord& q) { q.Reserved16 = 0.1 + 0.2; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QSORecord q = record("K1ABC");
        c.edit(q);
        EXPECT_EQ(readsBackAsWritten(q), c.readsBack);
        // What the rule promises: a record it passes is read back as it stands.
        if (c.readsBack) {
            const LogFileContents back = parseLogFile(encodeRecord(q));
            ASSERT_EQ(back.wholeRecords, 1);
            EXPECT_EQ(encodeRecord(back.records[0]), encodeRecord(q));
            EXPECT_EQ(back.records[0].NameRcvd, q.NameRcvd);
            EXPECT_EQ(back.records[0].Reserved16, q.Reserved16);
        }
    }
}

}  // namespace
}  // namespace qf
