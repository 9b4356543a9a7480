#include "logtools/CountyMap.h"

#include "common/FloodFill.h"
#include "common/RandomSource.h"
#include "platform/Error.h"

#include <QFile>
#include <QRegularExpression>

#include <cmath>

namespace qf {

std::vector<MapLabel> parseMapLabels(const QByteArray& data) {
    static const QRegularExpression record(
        QString::fromLatin1("^\"([^\"]*)\",(-?\\d+),(-?\\d+),(\\d+),(\\d+)$"));
    std::vector<MapLabel> labels;
    const QList<QByteArray> lines = data.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r')) line.chop(1);
        if (line.isEmpty() && i == lines.size() - 1) break;
        const QRegularExpressionMatch m = record.match(QString::fromLatin1(line));
        if (!m.hasMatch()) {
            throw Error(err::kTypeMismatch,
                        QStringLiteral("Map label line %1 is not a label record.").arg(i + 1));
        }
        labels.push_back({m.captured(1), m.captured(2).toInt(), m.captured(3).toInt(),
                          m.captured(4).toInt(), m.captured(5).toInt()});
    }
    return labels;
}

QImage countyMapPicture() {
    return QImage(QStringLiteral(":/countymap/countymap.png"))
        .convertToFormat(QImage::Format_RGB32);
}

std::vector<MapLabel> countyMapLabels() {
    QFile f(QStringLiteral(":/countymap/countymap.txt"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return parseMapLabels(f.readAll());
}

QPoint mapSeedPoint(const MapLabel& label) {
    const float x = static_cast<float>(label.left) + static_cast<float>(label.width) / 2.0f;
    const float y = static_cast<float>(label.top) + static_cast<float>(label.height) / 2.0f;
    // The default rounding mode rounds halves to the even neighbour.
    return QPoint(static_cast<int>(std::lrint(x)), static_cast<int>(std::lrint(y)));
}

QRgb drawCountyColor(RandomSource& random) {
    random.reseedFromClock();
    const int red = static_cast<int>(254 * random.next());
    const int green = static_cast<int>(254 * random.next());
    const int blue = static_cast<int>(254 * random.next());
    return qRgb(red, green, blue);
}

int paintWorkedCounties(QImage& picture, const std::vector<MapLabel>& labels,
                        const QStringList& worked, RandomSource& random) {
    int filled = 0;
    for (const QString& entry : worked) {
        for (const MapLabel& label : labels) {
            if (label.code != entry) continue;
            const QPoint seed = mapSeedPoint(label);
            const QRgb color = drawCountyColor(random);
            if (picture.valid(seed)) {
                floodFill(picture, seed.x(), seed.y(), color);
                ++filled;
            }
            break;
        }
    }
    return filled;
}

}  // namespace qf
