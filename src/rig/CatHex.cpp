#include "rig/CatCodec.h"

namespace qf::rig {

std::optional<QByteArray> HexTextToBytes(const QString&) { return std::nullopt; }
QString BytesToHexText(const QByteArray&) { return {}; }
QString NibbleToHex(int) { return {}; }

}  // namespace qf::rig
