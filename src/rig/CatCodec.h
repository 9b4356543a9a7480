// The CAT families as plain data: how a model's queries go out and which pure decoders read
// its replies. A decoder sees only the reply bytes and the two query boxes' texts and says what
// it could read; the poll tick stores that into the rig window. No widget code here, so the
// decoders can be tested and measured alone.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace qf::rig {

// What one reply told. An empty field was not readable: the window keeps its value.
struct CatReading {
    std::optional<float> frequency;  // MHz, held as the window's 4-byte real
    std::optional<QString> mode;     // "CW", "PH", "AM", "FM"
    std::optional<int> activeVfo;    // 0 = A, 1 = B
};

// The texts of the two query boxes, which some decoders take their markers from.
struct CatQueries {
    QString frequency;  // txtFreq
    QString mode;       // txtMode
};

using CatDecoder = CatReading (*)(const QByteArray& reply, const CatQueries& queries);

// How a send tick writes the model's queries.
enum class QueryStyle {
    None,               // nothing goes out (no rig, or the exchange files)
    TextBoth,           // frequency then mode query as text, each when not empty
    HexPairsAlternate6, // frequency or mode query in turn, six hex pairs
    HexPairsAlternate3, // frequency or mode query in turn, three hex pairs
    TextAlternate,      // frequency or mode query in turn, as text
    HexPairs5,          // the frequency query only, five hex pairs
    TextCrBoth,         // frequency then mode query, each followed by CR
    Other,              // as text, or through HexTextToBytes when "Convert to Hex" is ticked
};

// How a receive tick decodes.
enum class DecodeStyle {
    None,          // no decoder: the readings stay as they are
    Sequence,      // frequencyDecoder then modeDecoder, whichever is set
    Alternate,     // frequencyDecoder after a frequency query, modeDecoder after a mode query
    ExchangeFiles, // the Pegasus output file, not the port
};

// When a reply has all come in. A serial line brings a reply over several ticks at low rates
// (a 38-byte status line takes some 80 ms at 4800 baud), and a reply read before its end reads
// wrong: a text reply without its mode digit reads as phone, a fixed layout cut by a tick
// shifts every field of what follows. So the poll reads a reply only once its shape says it is
// whole, and waits for the rest otherwise.
struct ReplyShape {
    // Text replies: whole when what came ends with this character (0: no end character).
    char end = 0;
    // Fixed layouts: whole at this many bytes (0: no length).
    int length = 0;
    // ...and readable once it has stopped growing at this many, which hold every field read: a
    // rig whose block is shorter than the length known for its model is still read.
    int fields = 0;
};
// With no shape (CI-V, "Other") whatever came counts as whole: CI-V frames are found where
// they stand, and "Other" has no decoder.
enum class ReplyProgress { Short, Fields, Whole };
ReplyProgress ProgressOf(const ReplyShape& shape, const QByteArray& reply);

// Text families.
CatReading ParseKenwoodFreq(const QByteArray& reply, const CatQueries& queries);
CatReading ParseKenwoodMode(const QByteArray& reply, const CatQueries& queries);
CatReading ParseKenwoodIF(const QByteArray& reply, const CatQueries& queries);
CatReading ParseFTdx9000(const QByteArray& reply, const CatQueries& queries);
CatReading ParseOrionFreq(const QByteArray& reply, const CatQueries& queries);
CatReading ParseOrionMode(const QByteArray& reply, const CatQueries& queries);
// The Pegasus control program's output file: frequency in MHz, then its mode ("CW" stays, any
// other text is phone). Whatever comes before a fault in the file is read.
CatReading ReadPegasusFile(const QByteArray& contents);

// Byte families.
CatReading ParseYaesuFreqMode(const QByteArray& reply, const CatQueries& queries);
CatReading ParseYaesu890(const QByteArray& reply, const CatQueries& queries);
CatReading ParseYaesu990(const QByteArray& reply, const CatQueries& queries);
CatReading ParseYaesu1000(const QByteArray& reply, const CatQueries& queries);
CatReading ParseYaesu920(const QByteArray& reply, const CatQueries& queries);
CatReading ParseYaesu757(const QByteArray& reply, const CatQueries& queries);
CatReading ParseIcomFreq(const QByteArray& reply, const CatQueries& queries);
CatReading ParseIcom735Freq(const QByteArray& reply, const CatQueries& queries);
CatReading ParseIcomMode(const QByteArray& reply, const CatQueries& queries);
CatReading ParseTenTecPanelFreq(const QByteArray& reply, const CatQueries& queries);
CatReading ParseTenTecPanelMode(const QByteArray& reply, const CatQueries& queries);

// The hex conversions the poll loop and the command test share.
// "FE FE 64 E0" -> bytes: a pair every third character; none when a pair is not hexadecimal.
std::optional<QByteArray> HexTextToBytes(const QString& text);
// The first pair of such a text that is not hexadecimal, as it stands ("6G" of "FE FE 6G E0");
// empty when every pair is.
QString FirstBadHexPair(const QString& text);
// Bytes -> "FE FE 64 E0 " (upper case, each pair followed by a space).
QString BytesToHexText(const QByteArray& bytes);
// 0..15 -> "0".."F"; anything else -> "".
QString NibbleToHex(int value);
// "0".."9", "A".."F", "a".."f" -> 0..15; anything else -> -1.
int HexDigitValue(QChar c);

}  // namespace qf::rig
