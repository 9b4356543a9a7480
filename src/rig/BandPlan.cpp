#include "rig/BandPlan.h"

#include "common/QuotedFieldLine.h"
#include "platform/Error.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace qf::rig {

namespace {

// Far more than 200 rows take; a larger file is read no further.
constexpr qint64 kMostBytes = 1 << 20;

// The file's bytes; none when it is missing, no regular file (a FIFO would never answer) or
// unreadable.
std::optional<QByteArray> readPlanFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray data = file.read(kMostBytes);
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return data;
}

BandPlanSegment readRow(RecordReader& r) {
    BandPlanSegment s;
    s.SegmentBand = r.readText();
    s.SegmentClass = r.readText();
    s.SegmentMode = r.readText();
    s.SegmentLow = r.readSingle();
    s.SegmentHigh = r.readSingle();
    return s;
}

}  // namespace

std::vector<BandPlanSegment> LoadExtraSegments(const QString& path) {
    std::vector<BandPlanSegment> extra;
    const std::optional<QByteArray> data = readPlanFile(path);
    if (!data) return extra;
    RecordReader r(*data);
    try {
        r.skipValue();  // the effective date
        while (!r.atEnd()) {
            BandPlanSegment s = readRow(r);
            if (s.SegmentClass == u"E" && static_cast<int>(extra.size()) < BandPlanMaxRows)
                extra.push_back(std::move(s));
        }
    } catch (const Error&) {
        // The first row that cannot be read ends the reading; the rows before it stay.
    }
    return extra;
}

BandPlanChart ReadBandPlanChart(const QString& path) {
    BandPlanChart chart;
    const std::optional<QByteArray> data = readPlanFile(path);
    if (!data) {
        chart.failed = true;
        return chart;
    }
    RecordReader r(*data);
    try {
        chart.effective = r.readText();
        chart.effectiveRead = true;
        while (!r.atEnd()) {
            ++chart.count;
            if (chart.count > BandPlanMaxRows)
                throw Error(err::kSubscript, QStringLiteral("Subscript out of range"));
            chart.rows.push_back(readRow(r));
        }
    } catch (const Error&) {
        chart.failed = true;
    }
    return chart;
}

QString SidebandForFrequency(const std::vector<BandPlanSegment>& plan, float f,
                             const QString& mode) {
    for (const BandPlanSegment& s : plan) {
        if (!(s.SegmentLow < f && s.SegmentHigh > f)) continue;
        const QString& band = s.SegmentBand;
        if (band == u"160") return QString();
        if (s.SegmentMode == u"PH")
            return QLatin1String(band == u"80" || band == u"40" ? "LSB" : "USB");
        return s.SegmentMode;
    }
    return mode;
}

}  // namespace qf::rig
