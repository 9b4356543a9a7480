#include "rig/CatCodec.h"

namespace qf::rig {

int HexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return -1;
}

std::optional<QByteArray> HexTextToBytes(const QString& text) {
    QByteArray bytes;
    const qsizetype n = text.size();
    bytes.reserve(n / 3 + 1);
    // A pair every third character; what stands between the pairs is not read. The last pair
    // may be a single digit.
    for (qsizetype at = 0; at < n; at += 3) {
        const int high = HexDigitValue(text[at]);
        if (high < 0) return std::nullopt;
        int value = high;
        if (at + 1 < n) {
            const int low = HexDigitValue(text[at + 1]);
            if (low < 0) return std::nullopt;
            value = high * 16 + low;
        }
        bytes.append(static_cast<char>(value));
    }
    return bytes;
}

QString FirstBadHexPair(const QString& text) {
    for (qsizetype at = 0; at < text.size(); at += 3) {
        const QString pair = text.mid(at, 2);
        for (const QChar c : pair)
            if (HexDigitValue(c) < 0) return pair;
    }
    return {};
}

QString BytesToHexText(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const int v = static_cast<unsigned char>(c);
        text += NibbleToHex(v >> 4);
        text += NibbleToHex(v & 0x0F);
        text += QLatin1Char(' ');
    }
    return text;
}

QString NibbleToHex(int value) {
    if (value < 0 || value > 15) return {};
    return QString(QLatin1Char("0123456789ABCDEF"[value]));
}

ReplyProgress ProgressOf(const ReplyShape& shape, const QByteArray& reply) {
    if (shape.end != 0)
        return !reply.isEmpty() && reply.back() == shape.end ? ReplyProgress::Whole
                                                             : ReplyProgress::Short;
    if (shape.length > 0) {
        if (reply.size() >= shape.length) return ReplyProgress::Whole;
        return reply.size() >= shape.fields ? ReplyProgress::Fields : ReplyProgress::Short;
    }
    return ReplyProgress::Whole;
}

}  // namespace qf::rig
