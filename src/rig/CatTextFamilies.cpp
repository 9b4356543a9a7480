// Replies of the text families: Kenwood and Elecraft, the FTdx9000 and the Orion.
#include "rig/CatCodec.h"

namespace qf::rig {

CatReading ParseKenwoodFreq(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseKenwoodMode(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseKenwoodIF(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseFTdx9000(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseOrionFreq(const QByteArray&, const CatQueries&) { return {}; }
CatReading ParseOrionMode(const QByteArray&, const CatQueries&) { return {}; }

}  // namespace qf::rig
