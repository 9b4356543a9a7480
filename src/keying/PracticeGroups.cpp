#include "keying/PracticeGroups.h"

#include "common/RandomSource.h"
#include "keying/CWFrm.h"

#include <cmath>

namespace qf {

const QString& PracticeCharacters() {
    static const QString chars = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,?/-");
    return chars;
}

PracticeCount ReadPracticeCount(const QString& text, double fallback, double cap) {
    const auto n = CWFrm::NumberIn(text);
    if (!n) return {fallback, QString::number(fallback)};
    if (*n > cap) return {cap, QString::number(cap)};
    return {*n, QString()};
}

QString GeneratePracticeGroups(double groups, double length, bool lettersOnly,
                               RandomSource& random) {
    const int n = lettersOnly ? 26 : 41;
    QString s;
    for (double g = 1; g <= groups; ++g) {
        for (double c = 1; c <= length; ++c) {
            const int k = static_cast<int>(std::floor(n * random.next()));
            s += PracticeCharacters()[k];
        }
        s += QLatin1Char(' ');
    }
    return s;
}

}  // namespace qf
