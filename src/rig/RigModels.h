// The rig models as data: the 19 rows of the rig window's list, in list order, each with its
// serial preset, its two query strings, its hex and hint flags, what opening its port needs,
// and how it is polled and tuned (its query style, decoders and set-command encoders). Rig
// control asks the row (no rig, no port, RTS handshaking, wake-up bytes, which encoder), never
// the model's name, so a new model is one more row. Whether there is a rig at all is the no-rig
// row's name in any case, as the setup may have stored it: the one rule every caller asks.
#pragma once

#include "rig/CatCodec.h"
#include "rig/CatCommands.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace qf::rig {

enum class PortUse { None, Serial, ExchangeFiles };

struct RigModelRow {
    QString name;
    // "None": no rig at all. Test opens no port and starts no polling, and nothing is tuned.
    bool noRig = false;
    // Preset serial options; empty leaves the option as it was.
    QString baud;            // "4800" ... "56000"
    QString dataBits;        // "7", "8"
    QString stopBits;        // "1", "2"
    QString parity;          // "N", "O", "E"
    QString frequencyQuery;  // txtFreq
    QString modeQuery;       // txtMode
    bool convertToHex = false;
    bool convertToHexEnabled = false;  // only "Other" lets the operator choose
    bool showIcomHint = false;         // Label10 after choosing the model in the list
    PortUse port = PortUse::Serial;
    bool rtsHandshaking = false;  // set at opening; otherwise the port keeps what it has
    QByteArray wakeUp;            // written right after opening
    // Written to the port when the program closes while this model polls.
    QByteArray closing;
    // The poll loop's conversation with this model.
    QueryStyle query = QueryStyle::None;
    DecodeStyle decode = DecodeStyle::None;
    CatDecoder frequencyDecoder = nullptr;
    CatDecoder modeDecoder = nullptr;
    // Replies read by their place in a fixed layout, with no frame or marker to find them by:
    // a late tail of an earlier reply would be read as the start of the next, so a send tick
    // drops what waits before it asks.
    bool fixedLayoutReplies = false;
    // When a reply is whole, after a frequency query (or after both queries) and after a mode
    // query of the alternating models: the poll reads nothing before.
    ReplyShape frequencyReply;
    ReplyShape modeReply;
    // The set-frequency and set-mode commands.
    TuneStyle tune;
};

// The 19 rows in list order.
const std::vector<RigModelRow>& RigModels();
// The row whose name equals the text exactly (case included); nullptr for an unknown name.
const RigModelRow* FindRigModel(const QString& name);
// Whether the model named is the row that means no rig, compared in any case ("NONE" is no rig
// too); any other unknown name is a rig whose family the program does not know.
bool IsNoRig(const QString& name);

}  // namespace qf::rig
