// Replies of the byte families: the Yaesu status replies, Icom CI-V and the Ten Tec panel.
#include "rig/CatCodec.h"

namespace qf::rig {

CatReading ParseYaesuFreqMode(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseYaesu890(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseYaesu990(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseYaesu1000(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseYaesu920(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseYaesu757(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseIcomFreq(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseIcom735Freq(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseIcomMode(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseTenTecPanelFreq(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseTenTecPanelMode(const QByteArray&, const CatQueries&) { return {}; }

}  // namespace qf::rig
