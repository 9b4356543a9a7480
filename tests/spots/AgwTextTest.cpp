#include "spots/AgwText.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

TEST(AgwTextTest, FramesGiveATaggedTextAndADataText) {
    const struct {
        const char* what;
        char kind;
        const char* data;
        bool connected;
        const char* tagged;
        const char* text;
    } cases[] = {
        {"monitor header dropped while unconnected", 'U',
         " 1:Fm W1AW To DX <UI>\rDX de K1ABC: 14025.0\r", false,
         "UW1AW  1:Fm W1AW To DX <UI>\r\nDX de K1ABC: 14025.0\r\n", "DX de K1ABC: 14025.0\r\n"},
        {"a first line is dropped even when it is a spot", 'U', "DX de K1ABC: 14025.0\r", false,
         "UW1AW DX de K1ABC: 14025.0\r\n", ""},
        {"no line end: the whole text, blanks trimmed", 'U', "  just text  ", false,
         "UW1AW   just text  ", "just text"},
        {"connected: the whole text, blanks kept", 'D', "  hello\r", true, "DW1AW   hello\r\n",
         "  hello\r\n"},
        {"CR LF becomes two pairs", 'D', "a\r\nb", true, "DW1AW a\r\n\r\nb", "a\r\n\r\nb"},
        {"a lone line end becomes nothing", 'D', "\r", true, "DW1AW \r\n", ""},
        {"two line ends at the end become one", 'D', "hello\r\r", true, "DW1AW hello\r\n\r\n",
         "hello\r\n"},
        {"but not in a text of 4 characters", 'D', "\n\r", true, "DW1AW \r\n\r\n", "\r\n\r\n"},
    };
    for (const auto& c : cases) {
        const AgwTexts t = agwTexts(QLatin1Char(c.kind), QStringLiteral("W1AW"),
                                    QString::fromLatin1(c.data), c.connected);
        EXPECT_EQ(t.tagged, QString::fromLatin1(c.tagged)) << c.what;
        EXPECT_EQ(t.data, QString::fromLatin1(c.text)) << c.what;
    }
}

TEST(AgwTextTest, TypedLinesStartingWithAColonAreCommands) {
    const struct {
        const char* typed;
        bool command;
        const char* letter;
        const char* target;
    } cases[] = {
        {":c w1aw", true, "C", "w1aw"}, {":C   ", true, "C", ""}, {":C", true, "C", ""},
        {":D", true, "D", ""},          {":", true, "", ""},      {":xW1AW", true, "X", "W1AW"},
        {"hello :C", false, "", ""},    {"", false, "", ""},
    };
    for (const auto& c : cases) {
        const AgwCommand cmd = agwCommand(QString::fromLatin1(c.typed));
        EXPECT_EQ(cmd.isCommand, c.command) << c.typed;
        EXPECT_EQ(cmd.letter, QString::fromLatin1(c.letter)) << c.typed;
        EXPECT_EQ(cmd.target, QString::fromLatin1(c.target)) << c.typed;
    }
}

}  // namespace
}  // namespace qf
