// The rig models as data: the 19 rows of the rig window's list, in list order, each with its
// serial preset, its two query strings, its hex and hint flags and what opening its port
// needs. Code asks the row (no port, RTS handshaking, wake-up bytes), never the model's name.
#pragma once

#include "rig/CatCodec.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace qf::rig {

enum class PortUse { None, Serial, ExchangeFiles };

struct RigModelRow {
    QString name;
    // Preset serial options; empty leaves the option as it was.
    QString baud;      // "4800" ... "56000"
    QString dataBits;  // "7", "8"
    QString stopBits;  // "1", "2"
    QString parity;    // "N", "O", "E"
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
};

// The 19 rows in list order.
const std::vector<RigModelRow>& RigModels();
// The row whose name equals the text exactly (case included); none for an unknown name.
std::optional<RigModelRow> FindRigModel(const QString& name);

}  // namespace qf::rig
