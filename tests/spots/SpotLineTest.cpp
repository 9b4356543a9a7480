// The plain spot logic: a spot line's columns, the TNC line buffer and the monitor text.
#include "spots/PacketSpotfrm.h"
#include "spots/SpotLine.h"
#include "spots/SpotMonitor.h"
#include "spots/TncLineBuffer.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QScrollBar>

#include <functional>
#include <vector>

namespace qf {
namespace {

TEST(SpotLineTest, MarkerIsDxInTheFirstTwoColumnsInAnyCase) {
    EXPECT_TRUE(isSpotLine(QStringLiteral("DX de W3LPL:")));
    EXPECT_TRUE(isSpotLine(QStringLiteral("dx de w3lpl:")));
    EXPECT_TRUE(isSpotLine(QStringLiteral("dX")));
    EXPECT_FALSE(isSpotLine(QStringLiteral(" DX de W3LPL:")));
    EXPECT_FALSE(isSpotLine(QStringLiteral("D")));
    EXPECT_FALSE(isSpotLine(QStringLiteral("To ALL de W3LPL: DX")));
}

TEST(SpotLineTest, ColumnsAndTheWholeFrequencyField) {
    struct Case {
        const char* line;
        const char* frequency;
        const char* call;
        const char* record;
        bool whole;
    };
    const Case cases[] = {
        {"DX de W3LPL:     14025.0  JA1ABC       CQ DX          1234Z\r\n", "14025.0", "JA1ABC",
         "de W3LPL:     14025.0  JA1ABC       CQ DX          1234Z\r\n", true},
        {"dx de w3lpl:      7005.5  ve3ab", "7005.5", "ve3ab", "de w3lpl:      7005.5  ve3ab",
         true},
        // a long spotter call pushes the number one column right: columns 15 and 25 hold digits
        {"DX de VE3XYZ-12:  14025.0  JA1ABC", ":  14025.", "JA1ABC",
         "de VE3XYZ-12:  14025.0  JA1ABC", false},
        {"DX de W3LPL-12:   14025.9  JA1ABC", "14025.", "JA1ABC", "de W3LPL-12:   14025.9  JA1ABC",
         false},
        // a number wider than the field: column 15 holds a digit
        {"DX de W3LPL: 1296025.01  JA1ABC", "96025.01", "A1ABC", "de W3LPL: 1296025.01  JA1ABC",
         false},
        // not a number: the field still stands whole; the logging window drops it
        {"DX de W3LPL:   SOMEWHERE  JA1ABC", "SOMEWHERE", "JA1ABC", "de W3LPL:   SOMEWHERE  JA1ABC",
         true},
        // shorter than the columns: empty fields
        {"DX de W3LPL:", "", "", "de W3LPL:", true},
        {"DX", "", "", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const SpotLineFields f = readSpotLine(QString::fromLatin1(c.line));
        EXPECT_EQ(f.frequency, QLatin1String(c.frequency));
        EXPECT_EQ(f.call, QLatin1String(c.call));
        EXPECT_EQ(f.record, QLatin1String(c.record));
        EXPECT_EQ(f.frequencyWhole, c.whole);
    }
}

std::vector<QString> drain(TncLineBuffer& b) {
    std::vector<QString> lines;
    while (auto l = b.nextLine()) lines.push_back(*l);
    b.settle();
    return lines;
}

TEST(TncLineBufferTest, LinesKeepTheirEndsAndAnIncompleteLineWaits) {
    TncLineBuffer b;
    b.append(QStringLiteral("one\r\ntwo\r\nthr"));
    EXPECT_EQ(drain(b),
              (std::vector<QString>{QStringLiteral("one\r\n"), QStringLiteral("two\r\n")}));
    EXPECT_EQ(b.text(), QStringLiteral("\nthr"));
    b.append(QStringLiteral("ee\r\n"));
    EXPECT_EQ(drain(b), std::vector<QString>{QStringLiteral("three\r\n")});
    EXPECT_EQ(b.text(), QStringLiteral("\n"));
}

TEST(TncLineBufferTest, TextBeforeTheFirstLineEndIsDropped) {
    TncLineBuffer b{QString()};  // no starting LF: the first piece is no line
    b.append(QStringLiteral("half a line\nwhole\n"));
    EXPECT_EQ(drain(b), std::vector<QString>{QStringLiteral("whole\n")});
}

TEST(TncLineBufferTest, TextWithoutLineEndIsCappedAndItsRemnantNeverBecomesALine) {
    TncLineBuffer b;
    const QString noise(1 << 20, QLatin1Char('x'));
    b.append(noise);
    EXPECT_TRUE(drain(b).empty());
    EXPECT_EQ(b.size(), TncLineBuffer::kCap);
    b.append(noise.left(100));
    drain(b);
    EXPECT_EQ(b.size(), TncLineBuffer::kCap);
    b.append(QStringLiteral("tail\r\nDX next\r\n"));
    EXPECT_EQ(drain(b), std::vector<QString>{QStringLiteral("DX next\r\n")});
    EXPECT_EQ(b.text(), QStringLiteral("\n"));
}

TEST(SpotMonitorTest, TrimCutsOnlyPastTheLimitAndPutsTheCaretBeforeTheLastCharacter) {
    struct Case {
        qsizetype length;
        qsizetype after;
        qsizetype caret;
    };
    const Case cases[] = {{10000, 10000, 9999}, {10001, 9000, 8999}, {3, 3, 2}, {2, 2, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        SpotMonitor m;
        // The last characters mark the end, so a cut that keeps the wrong part shows.
        m.setText(QString(c.length - 1, QLatin1Char('a')) + QLatin1Char('z'));
        m.trim();
        EXPECT_EQ(m.text().size(), c.after);
        EXPECT_TRUE(m.text().endsWith(QLatin1Char('z')));
        EXPECT_EQ(m.caret(), c.caret);
    }
}

TEST(SpotMonitorTest, ADuplicateIsFoundOnlyInTheLast800CharactersIgnoringCase) {
    SpotMonitor m;
    const QString line = QStringLiteral("DX de W3LPL:     14025.0  JA1ABC\r\n");
    m.append(line);
    EXPECT_TRUE(m.isDuplicate(line.toLower()));
    // The search starts at position length - 800 (counted from 1), so a line starting 800
    // characters before the end is still found, one starting 801 before is not.
    m.append(QString(800 - line.size() + 1, QLatin1Char('.')));
    EXPECT_TRUE(m.isDuplicate(line));
    m.append(QStringLiteral("."));
    EXPECT_FALSE(m.isDuplicate(line));
}

// The box shows the monitor's text with every CR LF, lone CR and lone LF as one line end,
// whether it was drawn whole or added to arrival by arrival.
TEST(MonitorBoxTest, ShowsTheMonitorsTextHoweverItArrived) {
    test::TestApp t;
    Form form(t.app().platform(), QStringLiteral("frmMonitor"));
    SpotMonitor m;
    auto* box = form.add<MonitorBox>(QStringLiteral("txtUnProcessed"), m);
    box->Move(0, 0, 6000, 3000);
    form.Show();
    const auto shown = [&] {
        QString s = m.text();
        return s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
            .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    };
    const QString spot = QStringLiteral("DX de W3LPL:     14025.0  JA1ABC       CQ   1425Z\r\n");
    struct Step {
        const char* name;
        std::function<void()> change;
    };
    const Step steps[] = {
        {"a login text", [&] { m.setText(QStringLiteral("login: ")); }},
        {"a whole line", [&] { m.append(QStringLiteral("K9ABC\r\n")); }},
        {"a line cut after its CR", [&] { m.append(spot.left(spot.size() - 1)); }},
        {"the LF that ends it", [&] { m.append(QStringLiteral("\n")); }},
        {"a lone CR, then a lone LF", [&] { m.append(QStringLiteral("a\rb\nc")); }},
        {"a CR and, next time, text", [&] { m.append(QStringLiteral("\r")); }},
        {"text after the CR", [&] { m.append(QStringLiteral("d")); }},
        {"past the limit, cut", [&] {
             while (m.text().size() <= SpotMonitor::kLimit) m.append(spot);
             m.trim();
         }},
        {"one more line after the cut", [&] { m.append(spot); }},
        {"emptied", [&] { m.setText(QString()); }},
        {"a line into the empty box", [&] { m.append(spot); }},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.change();
        box->refresh();
        EXPECT_EQ(box->toPlainText(), shown());
    }
    // The cut put the caret near the end: the box shows the newest line.
    EXPECT_EQ(box->verticalScrollBar()->value(), box->verticalScrollBar()->maximum());
}

}  // namespace
}  // namespace qf
