#include "platform/PegasusFiles.h"

#include "platform/System.h"

namespace qf {

QString PegasusFolder(const Environment& environment) {
    const QString set = environment.value(QStringLiteral("QUILLFEN_PEGASUS"));
    if (!set.isEmpty()) return set;
    return environment.value(QStringLiteral("HOME")) + QStringLiteral("/Pegasus");
}

QString PegasusOutPath(const Environment& environment) {
    return PegasusFolder(environment) + QStringLiteral("/PEGASUS.OUT");
}

QString PegasusInPath(const Environment& environment) {
    return PegasusFolder(environment) + QStringLiteral("/PEGASUS.IN");
}

}  // namespace qf
