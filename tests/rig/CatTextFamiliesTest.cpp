// The text-family decoders as pure functions: each reply is fed alone and the reading compared
// whole, so a field read where it should stay unread fails too.
#include "rig/CatCodec.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace qf::rig {
namespace {

struct Expect {
    std::optional<float> frequency;
    std::optional<const char*> mode;
    std::optional<int> vfo;
};

struct Case {
    const char* what;
    CatDecoder decoder;
    QByteArray reply;
    Expect expect;
    const char* frequencyQuery = "FA;";
    const char* modeQuery = "MD;";
};

// An unread mode shows as "(none)", so a mode read where none should be fails too.
QString modeOf(const std::optional<QString>& m) {
    return m.value_or(QStringLiteral("(none)"));
}
QString modeOf(const std::optional<const char*>& m) {
    return m ? QString::fromLatin1(*m) : QStringLiteral("(none)");
}

void check(const Case& c) {
    SCOPED_TRACE(c.what);
    const CatReading r = c.decoder(c.reply, CatQueries{QString::fromLatin1(c.frequencyQuery),
                                                       QString::fromLatin1(c.modeQuery)});
    EXPECT_EQ(r.frequency, c.expect.frequency);
    EXPECT_EQ(modeOf(r.mode), modeOf(c.expect.mode));
    EXPECT_EQ(r.activeVfo, c.expect.vfo);
}

const std::optional<float> none;
constexpr auto kNoMode = std::nullopt;

TEST(CatTextFamiliesTest, KenwoodAndElecraftReplies) {
    const QByteArray twelveDigits =
        "FA000140740001;";  // one digit too many: the 12th is the terminator
    const Case cases[] = {
        {"frequency", ParseKenwoodFreq, "FA00014074000;", {14.074f, kNoMode, {}}},
        {"any character after the eleventh digit",
         ParseKenwoodFreq,
         "FA00007025500X",
         {7.0255f, kNoMode, {}}},
        {"a twelfth digit stands in for the terminator",
         ParseKenwoodFreq,
         twelveDigits,
         {14.074f, kNoMode, {}}},
        {"eleven digits and nothing after", ParseKenwoodFreq, "FA00014074000", {none, kNoMode, {}}},
        {"cut inside the digits", ParseKenwoodFreq, "FA000140740", {none, kNoMode, {}}},
        {"echoed query first", ParseKenwoodFreq, "FA;FA00014074000;", {none, kNoMode, {}}},
        {"marker twice, first one read",
         ParseKenwoodFreq,
         "FA00007025500;FA00014074000;",
         {7.0255f, kNoMode, {}}},
        {"other text before the marker",
         ParseKenwoodFreq,
         "ID019;FA00014074000;",
         {14.074f, kNoMode, {}}},
        {"not digits", ParseKenwoodFreq, "FA0001407x000;", {none, kNoMode, {}}},
        {"marker from the query box",
         ParseKenwoodFreq,
         "FA00007000000;FB00014074000;",
         {14.074f, kNoMode, {}},
         "FB;"},
        {"query box too short for a marker",
         ParseKenwoodFreq,
         "FA00014074000;",
         {none, kNoMode, {}},
         "FA"},
        {"2 m", ParseKenwoodFreq, "FA00144300000;", {144.3f, kNoMode, {}}},
        {"rounded to 10 Hz", ParseKenwoodFreq, "FA00001800016;", {1.80002f, kNoMode, {}}},
        {"MD3", ParseKenwoodMode, "MD3;", {none, "CW", {}}},
        {"MD7", ParseKenwoodMode, "MD7;", {none, "CW", {}}},
        {"MD2", ParseKenwoodMode, "MD2;", {none, "PH", {}}},
        {"mode after the frequency", ParseKenwoodMode, "FA00014074000;MD3;", {none, "CW", {}}},
        {"MD alone", ParseKenwoodMode, "FA00014074000;MD", {none, kNoMode, {}}},
        {"no MD", ParseKenwoodMode, "FA00014074000;", {none, kNoMode, {}}},
    };
    for (const Case& c : cases) check(c);
}

// "IF" + 11 digits of Hz + 16 unread characters + mode digit + VFO digit.
QByteArray statusReply(const char* hz, const char* mode, const char* vfo) {
    return QByteArray("IF") + hz + "0000000000000000" + mode + vfo + "0000;";
}

TEST(CatTextFamiliesTest, KenwoodStatusReplies) {
    const QByteArray full = statusReply("00014074000", "3", "0");
    const Case cases[] = {
        {"CW on VFO A", ParseKenwoodIF, full, {14.074f, "CW", 0}},
        {"7 is phone here",
         ParseKenwoodIF,
         statusReply("00007025500", "7", "0"),
         {7.0255f, "PH", 0}},
        {"VFO B", ParseKenwoodIF, statusReply("00014074000", "2", "1"), {14.074f, "PH", 1}},
        {"cut before the mode digit", ParseKenwoodIF, full.left(20), {14.074f, "PH", {}}},
        {"mode digit but no VFO digit", ParseKenwoodIF, full.left(30), {14.074f, "CW", {}}},
        {"mode not a digit",
         ParseKenwoodIF,
         statusReply("00014074000", "x", "1"),
         {14.074f, "PH", {}}},
        {"VFO not a digit",
         ParseKenwoodIF,
         statusReply("00014074000", "3", ";"),
         {14.074f, "CW", {}}},
        {"eleven digits and nothing after", ParseKenwoodIF, "IF00014074000", {none, kNoMode, {}}},
        {"echoed query first", ParseKenwoodIF, "IF;" + full, {none, kNoMode, {}}},
    };
    for (const Case& c : cases) check(c);
}

TEST(CatTextFamiliesTest, FTdx9000Replies) {
    const Case cases[] = {
        {"frequency", ParseFTdx9000, "FA14074000;", {14.074f, kNoMode, {}}, "FA;", "MD0;"},
        {"seven digits", ParseFTdx9000, "FA1407400", {none, kNoMode, {}}, "FA;", "MD0;"},
        {"seven digits and the terminator",
         ParseFTdx9000,
         "FA1407400;",
         {none, kNoMode, {}},
         "FA;",
         "MD0;"},
        {"MD03", ParseFTdx9000, "MD03;", {none, "CW", {}}, "FA;", "MD0;"},
        {"MD0C", ParseFTdx9000, "MD0C;", {none, "PH", {}}, "FA;", "MD0;"},
        {"mode marker alone", ParseFTdx9000, "MD0", {none, kNoMode, {}}, "FA;", "MD0;"},
        {"a bad frequency still reads the mode",
         ParseFTdx9000,
         "FA1407x000;MD03;",
         {none, "CW", {}},
         "FA;",
         "MD0;"},
        {"both in one reply",
         ParseFTdx9000,
         "MD03;FA07025500;",
         {7.0255f, "CW", {}},
         "FA;",
         "MD0;"},
        {"empty query boxes have no markers",
         ParseFTdx9000,
         "FA14074000;MD03;",
         {none, kNoMode, {}},
         "",
         ""},
    };
    for (const Case& c : cases) check(c);
}

TEST(CatTextFamiliesTest, OrionReplies) {
    const QByteArray endless = "@AF" + QByteArray(400, '9') + "\r";
    const QByteArray tooBigForASingle = "@AF" + QByteArray(50, '9') + "\r";
    const Case cases[] = {
        {"frequency", ParseOrionFreq, "@AF14074000\r", {14.074f, kNoMode, {}}},
        {"after a mode reply", ParseOrionFreq, "@RMM3\r@AF14074000\r", {14.074f, kNoMode, {}}},
        {"seven digits", ParseOrionFreq, "@AF7025500\r", {7.0255f, kNoMode, {}}},
        {"no carriage return", ParseOrionFreq, "@AF14074000", {none, kNoMode, {}}},
        {"carriage return before the marker only",
         ParseOrionFreq,
         "\r@AF14074000",
         {none, kNoMode, {}}},
        {"no digits", ParseOrionFreq, "@AF\r", {none, kNoMode, {}}},
        {"not a number", ParseOrionFreq, "@AF14O74000\r", {none, kNoMode, {}}},
        {"an endless digit run", ParseOrionFreq, endless, {none, kNoMode, {}}},
        {"beyond the 4-byte real", ParseOrionFreq, tooBigForASingle, {none, kNoMode, {}}},
        {"@RMM3", ParseOrionMode, "@RMM3\r", {none, "CW", {}}},
        {"@RMM2", ParseOrionMode, "@AF14074000\r@RMM2\r", {none, "CW", {}}},
        {"@RMM0", ParseOrionMode, "@RMM0\r", {none, "PH", {}}},
        {"@RMM alone", ParseOrionMode, "@RMM", {none, "PH", {}}},
        {"no marker", ParseOrionMode, "@RM3\r", {none, kNoMode, {}}},
    };
    for (const Case& c : cases) check(c);
}

TEST(CatTextFamiliesTest, PegasusOutputFile) {
    struct PegasusCase {
        const char* what;
        QByteArray file;
        Expect expect;
    };
    const PegasusCase cases[] = {
        {"frequency and USB", "7.0255\r\n\"USB\"\r\n", {7.0255f, "PH", {}}},
        {"CW", "14.02,\"CW\"\r\n", {14.02f, "CW", {}}},
        {"lower-case cw is not CW", "14.02\r\n\"cw\"\r\n", {14.02f, "PH", {}}},
        {"empty mode stays empty", "14.02\r\n\"\"\r\n", {14.02f, "", {}}},
        {"frequency alone", "3.55\r\n", {3.55f, kNoMode, {}}},
        {"first value not a number", "abc\r\n\"CW\"\r\n", {none, kNoMode, {}}},
        {"empty file", "", {none, kNoMode, {}}},
    };
    for (const PegasusCase& c : cases) {
        SCOPED_TRACE(c.what);
        const CatReading r = ReadPegasusFile(c.file);
        EXPECT_EQ(r.frequency, c.expect.frequency);
        EXPECT_EQ(modeOf(r.mode), modeOf(c.expect.mode));
    }
}

TEST(CatTextFamiliesTest, HexConversions) {
    EXPECT_EQ(HexTextToBytes(QStringLiteral("FE fe 64 E0 03 FD")),
              QByteArray::fromHex("FEFE64E003FD"));
    EXPECT_EQ(HexTextToBytes(QStringLiteral("FE-FE/7")), QByteArray::fromHex("FEFE07"));
    EXPECT_EQ(HexTextToBytes(QString()), QByteArray());
    EXPECT_EQ(HexTextToBytes(QStringLiteral("FE FG")), std::nullopt);
    EXPECT_EQ(HexTextToBytes(QStringLiteral(" FE")), std::nullopt);
    EXPECT_EQ(BytesToHexText(QByteArray::fromHex("00FF0A7f80")), QStringLiteral("00 FF 0A 7F 80 "));
    EXPECT_EQ(BytesToHexText(QByteArray()), QString());
    EXPECT_EQ(NibbleToHex(9), QStringLiteral("9"));
    EXPECT_EQ(NibbleToHex(10), QStringLiteral("A"));
    EXPECT_EQ(NibbleToHex(16), QString());
    EXPECT_EQ(NibbleToHex(-1), QString());
}

}  // namespace
}  // namespace qf::rig
