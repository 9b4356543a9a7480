#include "rig/RigModels.h"

namespace qf::rig {

namespace {

RigModelRow row(const char* name, const char* baud, const char* data, const char* stop,
                const char* parity, const char* freq, const char* mode, bool hex, bool hint,
                PortUse port = PortUse::Serial) {
    RigModelRow r;
    r.name = QString::fromLatin1(name);
    r.baud = QString::fromLatin1(baud);
    r.dataBits = QString::fromLatin1(data);
    r.stopBits = QString::fromLatin1(stop);
    r.parity = QString::fromLatin1(parity);
    r.frequencyQuery = QString::fromLatin1(freq);
    r.modeQuery = QString::fromLatin1(mode);
    r.convertToHex = hex;
    r.showIcomHint = hint;
    r.port = port;
    return r;
}

void converse(RigModelRow& r, QueryStyle query, DecodeStyle decode, CatDecoder frequency,
              CatDecoder mode) {
    r.query = query;
    r.decode = decode;
    r.frequencyDecoder = frequency;
    r.modeDecoder = mode;
}

// Each model's queries and decoders, by name.
void addConversations(std::vector<RigModelRow>& t) {
    using Q = QueryStyle;
    using D = DecodeStyle;
    for (RigModelRow& r : t) {
        const QString& n = r.name;
        if (n == u"Kenwood" || n == u"Elecraft")
            converse(r, Q::TextBoth, D::Sequence, ParseKenwoodFreq, ParseKenwoodMode);
        else if (n == u"Kenwood 2")
            converse(r, Q::TextBoth, D::Sequence, ParseKenwoodIF, nullptr);
        else if (n == u"Icom" || n == u"Ten Tec Omni VI")
            converse(r, Q::HexPairsAlternate6, D::Alternate, ParseIcomFreq, ParseIcomMode);
        else if (n == u"Icom 735")
            converse(r, Q::HexPairsAlternate6, D::Alternate, ParseIcom735Freq, ParseIcomMode);
        else if (n == u"Ten Tec Fnt Pnl")
            converse(r, Q::HexPairsAlternate3, D::Alternate, ParseTenTecPanelFreq,
                     ParseTenTecPanelMode);
        else if (n == u"Yaesu FTdx9000")
            converse(r, Q::TextAlternate, D::Sequence, ParseFTdx9000, nullptr);
        else if (n == u"Yaesu")
            converse(r, Q::HexPairs5, D::Sequence, ParseYaesuFreqMode, nullptr);
        else if (n == u"Yaesu 757 GX II")
            converse(r, Q::HexPairs5, D::Sequence, ParseYaesu757, nullptr);
        else if (n == u"Yaesu 890")
            converse(r, Q::HexPairs5, D::Sequence, ParseYaesu890, nullptr);
        else if (n == u"Yaesu 920")
            converse(r, Q::HexPairs5, D::Sequence, ParseYaesu920, nullptr);
        else if (n == u"Yaesu 990" || n == u"Yaesu 1000 D")
            converse(r, Q::HexPairs5, D::Sequence, ParseYaesu990, nullptr);
        else if (n == u"Yaesu 1000")
            converse(r, Q::HexPairs5, D::Sequence, ParseYaesu1000, nullptr);
        else if (n == u"Ten Tec Orion")
            converse(r, Q::TextCrBoth, D::Sequence, ParseOrionFreq, ParseOrionMode);
        else if (n == u"Ten Tec Pegasus")
            converse(r, Q::None, D::ExchangeFiles, nullptr, nullptr);
        else if (n == u"Other")
            converse(r, Q::Other, D::None, nullptr, nullptr);
    }
}

std::vector<RigModelRow> build() {
    const QByteArray yaesuWake(5, '\0');
    const QByteArray yaesuStop = QByteArray::fromHex("0000000080");
    std::vector<RigModelRow> t;
    t.push_back(row("None", "", "", "", "", "", "", false, false, PortUse::None));
    t.push_back(row("Elecraft", "4800", "8", "2", "N", "FA;", "MD;", false, false));
    t.push_back(row("Icom", "1200", "8", "1", "N", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD",
                    true, true));
    t.push_back(row("Icom 735", "1200", "8", "1", "N", "FE FE 64 E0 03 FD",
                    "FE FE 64 E0 04 FD", true, true));
    t.push_back(row("Kenwood", "4800", "8", "2", "N", "FA;", "MD;", false, false));
    t.push_back(row("Kenwood 2", "4800", "8", "2", "N", "IF;", "", false, false));
    t.push_back(row("Ten Tec Omni VI", "1200", "8", "1", "N", "FE FE 04 E0 03 FD",
                    "FE FE 04 E0 04 FD", true, false));
    t.push_back(row("Ten Tec Orion", "56000", "8", "1", "N", "?AF", "?RMM", false, false));
    t.back().rtsHandshaking = true;
    t.back().wakeUp = QByteArray("X\r");
    t.push_back(row("Ten Tec Fnt Pnl", "56000", "8", "1", "N", "3F 41 0D", "3F 4D 0D", true,
                    false));
    t.back().rtsHandshaking = true;
    t.push_back(row("Ten Tec Pegasus", "", "", "", "", "", "", false, false,
                    PortUse::ExchangeFiles));
    for (const char* yaesu : {"Yaesu", "Yaesu 757 GX II", "Yaesu 890", "Yaesu 920", "Yaesu 990",
                              "Yaesu 1000 D", "Yaesu 1000"}) {
        const bool old = QByteArray(yaesu) == "Yaesu";
        const bool gx = QByteArray(yaesu) == "Yaesu 757 GX II";
        t.push_back(row(yaesu, "4800", "8", "2", "N",
                        old  ? "00 00 00 00 03"
                        : gx ? "00 00 00 00 10"
                             : "00 00 00 02 10",
                        "", true, false));
        t.back().wakeUp = yaesuWake;
        t.back().closing = yaesuStop;
    }
    t.push_back(row("Yaesu FTdx9000", "4800", "", "", "", "FA;", "MD0;", false, false));
    t.push_back(row("Other", "", "", "", "", "", "", false, false));
    t.back().convertToHexEnabled = true;
    addConversations(t);
    return t;
}

}  // namespace

const std::vector<RigModelRow>& RigModels() {
    static const std::vector<RigModelRow> table = build();
    return table;
}

std::optional<RigModelRow> FindRigModel(const QString& name) {
    for (const RigModelRow& r : RigModels())
        if (r.name == name) return r;
    return std::nullopt;
}

}  // namespace qf::rig
