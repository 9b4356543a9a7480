#include "logtools/RateGraph.h"

#include "common/Formats.h"

#include <cmath>
#include <optional>

namespace qf {

namespace {

int legendIndex(const QString& band) {
    static const char* const kBands[] = {"160", "80", "40", "20", "15", "10"};
    for (int k = 0; k < 6; ++k) {
        if (band == QLatin1String(kBands[k])) return k;
    }
    return 6;  // 6 m, 2 m, 1.25 m, 70 cm and anything else
}

std::optional<QDateTime> timeOfRow(const QSOLog& log, int row) {
    return parseStoredDateTime(log[row].QSODate, log[row].QSOTime);
}

QString rateText(double v) {
    return QString::number(v, 'f', 1);
}

}  // namespace

int ContactsInTenMinutes(const std::vector<qint64>& seconds, int i) {
    int count = 0;
    const qint64 at = seconds[static_cast<size_t>(i - 1)];
    for (int j = i; j >= 1; --j) {
        if (at - seconds[static_cast<size_t>(j - 1)] >= 600) break;
        ++count;
    }
    return count;
}

RateGraph ComputeRateGraph(const QSOLog& log, int count, const BandColours& colours,
                           quint32 background) {
    RateGraph g;
    if (count <= 6) {
        g.stop = GraphStop::TooFewContacts;
        return g;
    }
    for (int c = 1; c <= 1510; ++c) g.columnColor[static_cast<size_t>(c)] = background;

    const auto start = timeOfRow(log, 1);
    const auto end = timeOfRow(log, count);
    if (!start || !end) {
        g.stop = GraphStop::UnreadableDate;
        return g;
    }
    const qint64 span = start->secsTo(*end);

    for (int k = 0; k <= 14; ++k) {
        const QDateTime at = start->addSecs(
            static_cast<qint64>(std::nearbyint(static_cast<double>(k) * span / 14.0)));
        g.timeLabels[static_cast<size_t>(k)] = at.toString(QStringLiteral("hh:mm"));
        g.dateLabels[static_cast<size_t>(k)] = at.toString(QStringLiteral("MM/dd"));
    }
    g.timeLabelsSet = true;

    if (span == 0) {
        g.stop = GraphStop::ZeroSpan;
        return g;
    }
    const double secondsPerColumn = static_cast<double>(span) / kGraphColumns;
    g.columnRate[1] = 6;
    g.plotRate[1] = 6;

    std::vector<qint64> seconds(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i) {
        const auto t = timeOfRow(log, i);
        if (!t) {
            g.stop = GraphStop::UnreadableDate;
            return g;
        }
        seconds[static_cast<size_t>(i - 1)] = start->secsTo(*t);
    }
    for (int i = 1; i <= count; ++i) {
        const int n = ContactsInTenMinutes(seconds, i);
        // Halves go to the even column (the default rounding mode).
        const double exact =
            i == 1 ? 1.0
                   : std::nearbyint(static_cast<double>(seconds[static_cast<size_t>(i - 1)]) /
                                    secondsPerColumn);
        if (!(exact >= 0 && exact <= kGraphArraySize - 1)) {
            g.stop = GraphStop::ColumnOutside;
            return g;
        }
        const auto column = static_cast<size_t>(exact);
        g.columnRate[column] = static_cast<float>(6 * n);
        g.columnColor[column] = colours[static_cast<size_t>(legendIndex(log[i].Band))];
    }

    // Gap filling: a run of empty columns ramps towards the next contact within 15 columns.
    auto& rate = g.columnRate;
    auto& plot = g.plotRate;
    for (int c = 2; c <= kGraphColumns; ++c) {
        if (rate[static_cast<size_t>(c)] != 0) {
            plot[static_cast<size_t>(c)] = rate[static_cast<size_t>(c)];
            continue;
        }
        int next = 0;
        for (int k = c + 1; k <= c + 15; ++k) {
            if (rate[static_cast<size_t>(k)] > 0) {
                next = k;
                break;
            }
        }
        if (next == 0) continue;
        const double from = rate[static_cast<size_t>(c - 1)];
        const double to = rate[static_cast<size_t>(next)];
        for (int m = c; m < next; ++m) {
            const auto v = static_cast<float>(from + (m - c) * (to - from) / (next - c));
            plot[static_cast<size_t>(m)] = v;
            rate[static_cast<size_t>(m)] = v;
        }
    }

    // Smoothing: the mean of the positive values among the seven columns ending at c.
    for (int c = 7; c <= kGraphColumns; ++c) {
        double sum = 0;
        int n = 0;
        for (int k = c - 6; k <= c; ++k) {
            const float v = rate[static_cast<size_t>(k)];
            if (v > 0) {
                sum += v;
                ++n;
            }
        }
        if (n > 0) plot[static_cast<size_t>(c)] = static_cast<float>(sum / n);
    }

    for (int c = 1; c <= kGraphColumns; ++c) {
        const float v = plot[static_cast<size_t>(c)];
        if (v < g.plotMin) g.plotMin = v;
        if (v > g.plotMax) g.plotMax = v;
    }

    // A column without a contact of its own shows the band of the latest contact before it in
    // the same stretch of positive rate.
    quint32 carried = 0;
    for (int c = 1; c <= kGraphColumns; ++c) {
        quint32& colour = g.columnColor[static_cast<size_t>(c)];
        if (plot[static_cast<size_t>(c)] > 0) {
            if (colour == background) {
                colour = carried;
            } else {
                carried = colour;
            }
        } else {
            carried = background;
        }
    }

    for (int k = 0; k <= 16; ++k) {
        const double v =
            k == 16 ? g.plotMax : g.plotMin + k * (static_cast<double>(g.plotMax) - g.plotMin) / 16;
        g.rateLabels[static_cast<size_t>(k)] = rateText(v);
    }
    g.rateLabelsSet = true;

    if (g.plotMax - g.plotMin == 0) g.stop = GraphStop::FlatRate;
    return g;
}

GraphShape ShapeRateGraph(const RateGraph& g, const GraphFrame& f) {
    GraphShape shape;
    if (g.stop != GraphStop::None) return shape;
    const double columnWidth = (f.right - f.left) / kGraphColumns;
    const double height = f.bottom - f.top;
    const double scale = 0.995 * height / (static_cast<double>(g.plotMax) - g.plotMin);
    auto x = [&](int c) { return f.left + 10 + (c - 2) * columnWidth; };
    auto y = [&](float v) {
        return f.bottom - (static_cast<double>(v) - g.plotMin) * scale - 0.0025 * height;
    };
    shape.curve.reserve(kGraphColumns);
    shape.strip.reserve(kGraphColumns);
    for (int c = 1; c <= kGraphColumns; ++c) {
        const float now = g.plotRate[static_cast<size_t>(c)];
        const float before = g.plotRate[static_cast<size_t>(c - 1)];
        shape.curve.emplace_back(x(c), y(now), x(c - 1), y(before));
        if (now > 0 || before > 0) {
            shape.strip.push_back(
                {QRectF(QPointF(x(c - 1), f.stripTop), QPointF(x(c), f.stripBottom)),
                 g.columnColor[static_cast<size_t>(c)]});
        }
    }
    return shape;
}

}  // namespace qf
