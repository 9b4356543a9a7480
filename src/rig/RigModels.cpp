#include "rig/RigModels.h"

namespace qf::rig {

namespace {

// What the rig window's list shows and its preset fills in; an empty serial option leaves the
// option as it was.
struct Preset {
    const char* name;
    const char* baud;
    const char* dataBits;
    const char* stopBits;
    const char* parity;
    const char* frequencyQuery;
    const char* modeQuery;
    bool convertToHex;
    bool showIcomHint;
};

// What opening and closing the port needs.
struct Opening {
    PortUse port;
    bool rtsHandshaking;
    QByteArray wakeUp;
    QByteArray closing;
};

// How the poll loop talks to the model.
struct Talk {
    QueryStyle query;
    DecodeStyle decode;
    CatDecoder frequencyDecoder;
    CatDecoder modeDecoder;
    bool fixedLayoutReplies;
    ReplyShape frequencyReply = {};
    ReplyShape modeReply = {};
};

void add(std::vector<RigModelRow>& t, const Preset& p, const Opening& o, const Talk& k,
         const TuneStyle& tune) {
    RigModelRow r;
    r.name = QString::fromLatin1(p.name);
    r.baud = QString::fromLatin1(p.baud);
    r.dataBits = QString::fromLatin1(p.dataBits);
    r.stopBits = QString::fromLatin1(p.stopBits);
    r.parity = QString::fromLatin1(p.parity);
    r.frequencyQuery = QString::fromLatin1(p.frequencyQuery);
    r.modeQuery = QString::fromLatin1(p.modeQuery);
    r.convertToHex = p.convertToHex;
    r.showIcomHint = p.showIcomHint;
    r.port = o.port;
    r.rtsHandshaking = o.rtsHandshaking;
    r.wakeUp = o.wakeUp;
    r.closing = o.closing;
    r.query = k.query;
    r.decode = k.decode;
    r.frequencyDecoder = k.frequencyDecoder;
    r.modeDecoder = k.modeDecoder;
    r.fixedLayoutReplies = k.fixedLayoutReplies;
    r.frequencyReply = k.frequencyReply;
    r.modeReply = k.modeReply;
    r.tune = tune;
    t.push_back(r);
}

std::vector<RigModelRow> build() {
    using Q = QueryStyle;
    using D = DecodeStyle;
    using Route = FrequencyCommand::Route;
    constexpr bool fixedLayout = true, framed = false;

    const Opening plain{PortUse::Serial, false, {}, {}};
    const Opening noPort{PortUse::None, false, {}, {}};
    const Opening exchangeFiles{PortUse::ExchangeFiles, false, {}, {}};
    const Opening rts{PortUse::Serial, true, {}, {}};
    const Opening orion{PortUse::Serial, true, QByteArray("X\r"), {}};
    // Woken by five zero bytes; told to stop sending when the program closes.
    const Opening yaesu{PortUse::Serial, false, QByteArray(5, '\0'),
                        QByteArray::fromHex("0000000080")};

    // Text replies end in ";" or CR. A Yaesu status block is whole at the length its rig's
    // manual gives for the current-data update, and readable, once it stops, from the mode digit
    // in byte 8 on (the 757's mode is byte 10): some ROMs send a shorter block.
    const ReplyShape semicolon{';', 0, 0}, carriageReturn{'\r', 0, 0};
    auto block = [](int length, int fields) { return ReplyShape{0, length, fields}; };

    const Talk silent{Q::None, D::None, nullptr, nullptr, framed};
    const Talk kenwood{Q::TextBoth,      D::Sequence, ParseKenwoodFreq,
                       ParseKenwoodMode, framed,      semicolon};
    const Talk yaesuStatus = {Q::HexPairs5, D::Sequence, nullptr, nullptr, fixedLayout};
    auto status = [&](CatDecoder decoder, int length, int fields = 8) {
        Talk k = yaesuStatus;
        k.frequencyDecoder = decoder;
        k.frequencyReply = block(length, fields);
        return k;
    };

    const TuneStyle none{Route::Nothing, nullptr, {}, false, nullptr};
    const TuneStyle yaesuStatusTune{
        Route::Port, YaesuStatusFreqCommand, {205}, false, YaesuStatusModeCommand};

    std::vector<RigModelRow> t;
    // One model each, in list order: the list's name, baud, data bits, stop bits, parity, the
    // read strings, "Convert to Hex", the Icom hint; the port; the poll; the tuning.
    add(t, {"None", "", "", "", "", "", "", false, false}, noPort, silent, none);
    t.back().noRig = true;
    add(t, {"Elecraft", "4800", "8", "2", "N", "FA;", "MD;", false, false}, plain, kenwood,
        {Route::Port, ElecraftFreqCommand, {205, 1000}, true, KenwoodModeCommand});
    add(t, {"Icom", "1200", "8", "1", "N", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, true},
        plain, {Q::HexPairsAlternate6, D::Alternate, ParseIcomFreq, ParseIcomMode, framed},
        {Route::Port, IcomFreqCommand, {140}, false, CivModeCommand});
    add(t,
        {"Icom 735", "1200", "8", "1", "N", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, true},
        plain, {Q::HexPairsAlternate6, D::Alternate, ParseIcom735Freq, ParseIcomMode, framed},
        {Route::Port, Icom735FreqCommand, {140}, false, nullptr});
    add(t, {"Kenwood", "4800", "8", "2", "N", "FA;", "MD;", false, false}, plain, kenwood,
        {Route::Port, KenwoodFreqCommand, {205}, false, KenwoodModeCommand});
    add(t, {"Kenwood 2", "4800", "8", "2", "N", "IF;", "", false, false}, plain,
        {Q::TextBoth, D::Sequence, ParseKenwoodIF, nullptr, framed, semicolon},
        {Route::Port, KenwoodVfoFreqCommand, {205}, false, KenwoodModeCommand});
    add(t,
        {"Ten Tec Omni VI", "1200", "8", "1", "N", "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD", true,
         false},
        plain, {Q::HexPairsAlternate6, D::Alternate, ParseIcomFreq, ParseIcomMode, framed},
        {Route::Port, IcomFreqCommand, {140, 220}, false, CivModeCommand});
    add(t, {"Ten Tec Orion", "56000", "8", "1", "N", "?AF", "?RMM", false, false}, orion,
        {Q::TextCrBoth, D::Sequence, ParseOrionFreq, ParseOrionMode, framed, carriageReturn},
        {Route::Port, OrionFreqCommand, {205}, false, nullptr});
    add(t, {"Ten Tec Fnt Pnl", "56000", "8", "1", "N", "3F 41 0D", "3F 4D 0D", true, false}, rts,
        // "A", four bytes, CR; "M", two characters, CR.
        {Q::HexPairsAlternate3, D::Alternate, ParseTenTecPanelFreq, ParseTenTecPanelMode,
         fixedLayout, block(6, 6), block(4, 4)},
        {Route::Port, TenTecPanelFreqCommand, {205}, false, nullptr});
    add(t, {"Ten Tec Pegasus", "", "", "", "", "", "", false, false}, exchangeFiles,
        {Q::None, D::ExchangeFiles, nullptr, nullptr, framed},
        {Route::PegasusFile, nullptr, {205}, false, nullptr});
    add(t, {"Yaesu", "4800", "8", "2", "N", "00 00 00 00 03", "", true, false}, yaesu,
        {Q::HexPairs5, D::Sequence, ParseYaesuFreqMode, nullptr, fixedLayout, block(5, 5)},
        {Route::Port, YaesuFreqCommand, {205}, false, YaesuModeCommand});
    add(t, {"Yaesu 757 GX II", "4800", "8", "2", "N", "00 00 00 00 10", "", true, false}, yaesu,
        status(ParseYaesu757, 75, 10), yaesuStatusTune);
    add(t, {"Yaesu 890", "4800", "8", "2", "N", "00 00 00 02 10", "", true, false}, yaesu,
        status(ParseYaesu890, 19), yaesuStatusTune);
    add(t, {"Yaesu 920", "4800", "8", "2", "N", "00 00 00 02 10", "", true, false}, yaesu,
        status(ParseYaesu920, 28), yaesuStatusTune);
    add(t, {"Yaesu 990", "4800", "8", "2", "N", "00 00 00 02 10", "", true, false}, yaesu,
        status(ParseYaesu990, 32), yaesuStatusTune);
    add(t, {"Yaesu 1000 D", "4800", "8", "2", "N", "00 00 00 02 10", "", true, false}, yaesu,
        status(ParseYaesu990, 16), yaesuStatusTune);
    add(t, {"Yaesu 1000", "4800", "8", "2", "N", "00 00 00 02 10", "", true, false}, yaesu,
        status(ParseYaesu1000, 16),
        {Route::Port, YaesuStatusFreqCommand, {10}, false, YaesuStatusModeCommand});
    add(t, {"Yaesu FTdx9000", "4800", "", "", "", "FA;", "MD0;", false, false}, plain,
        {Q::TextAlternate, D::Sequence, ParseFTdx9000, nullptr, framed, semicolon},
        {Route::Port, FTdx9000FreqCommand, {205}, false, FTdx9000ModeCommand});
    add(t, {"Other", "", "", "", "", "", "", false, false}, plain,
        {Q::Other, D::None, nullptr, nullptr, framed}, none);
    t.back().convertToHexEnabled = true;
    return t;
}

}  // namespace

const std::vector<RigModelRow>& RigModels() {
    static const std::vector<RigModelRow> table = build();
    return table;
}

const RigModelRow* FindRigModel(const QString& name) {
    for (const RigModelRow& r : RigModels())
        if (r.name == name) return &r;
    return nullptr;
}

bool IsNoRig(const QString& name) {
    for (const RigModelRow& r : RigModels())
        if (r.noRig && r.name.compare(name, Qt::CaseInsensitive) == 0) return true;
    return false;
}

}  // namespace qf::rig
