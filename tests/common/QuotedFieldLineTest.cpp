#include "common/QuotedFieldLine.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

TEST(RecordWriter, WritesTextNumbersAndFlagsInTheFileForm) {
    RecordWriter w;
    w.text(QStringLiteral("SMITH, JOHN")).text(QString()).number(2.5).single(-3.0f).integer(0);
    w.boolean(true).boolean(false).empty().text(QStringLiteral("x")).endRecord();
    w.single(5.5f).endRecord();
    EXPECT_EQ(w.data(), QByteArray("\"SMITH, JOHN\",\"\",2.5,-3,0,#TRUE#,#FALSE#,,\"x\"\r\n5.5\r\n"));
}

TEST(RecordWriter, NumbersAreBareWithAPointWhateverTheLocale) {
    struct Case {
        double value;
        const char* asDouble;
    };
    for (const Case& c : {Case{5, "5"}, Case{-3, "-3"}, Case{5.5, "5.5"}, Case{0, "0"},
                          Case{0.25, "0.25"}, Case{-0.5, "-0.5"}, Case{14025.5, "14025.5"},
                          Case{1e20, "1E+20"}}) {
        EXPECT_EQ(formatDouble(c.value), QByteArray(c.asDouble)) << c.value;
    }
    // A 4-byte real is written with the digits it holds, not the noise of its widening.
    EXPECT_EQ(formatSingle(-93.1f), QByteArray("-93.1"));
    EXPECT_EQ(formatSingle(44.98f), QByteArray("44.98"));
    EXPECT_EQ(formatSingle(86400.f), QByteArray("86400"));
}

TEST(RecordWriter, LeavesOutWhatWouldBreakTheRecord) {
    RecordWriter w;
    w.text(QStringLiteral("say \"hi\"\r\nnow")).endRecord();
    EXPECT_EQ(w.data(), QByteArray("\"say hinow\"\r\n"));
    EXPECT_FALSE(fitsQuotedField(QStringLiteral("a\"b")));
    EXPECT_FALSE(fitsQuotedField(QStringLiteral("a\nb")));
    EXPECT_TRUE(fitsQuotedField(QStringLiteral("a, b")));
}

TEST(RecordReader, ReadsBackWhatTheWriterWrote) {
    RecordWriter w;
    w.text(QStringLiteral("W1AW")).text(QStringLiteral("a, b, c")).text(QString());
    w.number(2.5).boolean(true).boolean(false).single(-93.1f).endRecord();
    RecordReader r(w.data());
    EXPECT_EQ(r.readText(), QStringLiteral("W1AW"));
    EXPECT_EQ(r.readText(), QStringLiteral("a, b, c"));
    EXPECT_EQ(r.readText(), QString());
    EXPECT_EQ(r.readDouble(), 2.5);
    EXPECT_TRUE(r.readBool());
    EXPECT_FALSE(r.readBool());
    EXPECT_EQ(r.readSingle(), -93.1f);
    EXPECT_TRUE(r.atEnd());
    // Written back, the real is still 2.5.
    RecordReader again(QByteArray("2.5\r\n"));
    RecordWriter back;
    back.number(again.readDouble()).endRecord();
    EXPECT_EQ(back.data(), QByteArray("2.5\r\n"));
}

TEST(RecordReader, LineEndsSeparateValuesLikeCommas) {
    // LF-only files, blanks before values, a missing final line end and a trailing empty line.
    RecordReader r(QByteArray("\"A\",  \"B\"\n 7 ,\"C\"\n\"D\"\r\n\"E\"\r\n\r\n"));
    EXPECT_EQ(r.readText(), QStringLiteral("A"));
    EXPECT_EQ(r.readText(), QStringLiteral("B"));
    EXPECT_EQ(r.readInt32(), 7);
    EXPECT_EQ(r.readText(), QStringLiteral("C"));
    EXPECT_EQ(r.readText(), QStringLiteral("D"));
    EXPECT_FALSE(r.atEnd());
    EXPECT_EQ(r.readText(), QStringLiteral("E"));
    EXPECT_TRUE(r.atEnd());
    RecordReader noEnd(QByteArray("\"x\",3"));
    EXPECT_EQ(noEnd.readText(), QStringLiteral("x"));
    EXPECT_EQ(noEnd.readDouble(), 3);
    EXPECT_TRUE(noEnd.atEnd());
}

TEST(RecordReader, EndingInsideARecordIsAReadFailure) {
    struct Case {
        const char* data;
        int valuesBeforeFailure;
    };
    // A record of three values cut short: after a value, inside a text, and at the very start.
    for (const Case& c : {Case{"\"a\",\"b\"", 2}, Case{"\"a\",\"b\",\"cut", 2}, Case{"", 0}}) {
        RecordReader r(QByteArray(c.data));
        for (int i = 0; i < c.valuesBeforeFailure; ++i) r.readText();
        try {
            r.readText();
            ADD_FAILURE() << "no failure for " << c.data;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), err::kInputPastEnd) << c.data;
        }
    }
}

TEST(RecordReader, NumberFieldsConvertOrFail) {
    RecordReader r(QByteArray(".5,-.25,,255,256,abc,#TRUE#,2.5,3.5\r\n"));
    EXPECT_EQ(r.readDouble(), 0.5);
    EXPECT_EQ(r.readDouble(), -0.25);
    EXPECT_EQ(r.readDouble(), 0);  // an empty value reads as 0
    EXPECT_EQ(r.readByte(), 255);
    EXPECT_THROW(
        {
            try {
                r.readByte();
            } catch (const Error& e) {
                EXPECT_EQ(e.number(), err::kOverflow);
                throw;
            }
        },
        Error);
    EXPECT_THROW(r.readDouble(), Error);  // "abc"
    EXPECT_TRUE(r.readBool());
    // Whole-number fields round half to even.
    EXPECT_EQ(r.readInt32(), 2);
    EXPECT_EQ(r.readInt32(), 4);
}

}  // namespace
}  // namespace qf
