// The arithmetic of the QSO-rate graph, without widgets: the rate at each contact (contacts in
// the ten minutes up to it, times six), the columns they fall in, the gap filling, the smoothing,
// the extremes, the band colour of each column and the shape to draw. The window (GraphQSO)
// puts the labels up and paints the shape.
//
// Where the computation cannot go on (too few contacts, a date that does not read, a span of
// 0 seconds, a column outside the arrays, a rate that is the same everywhere) it stops at that
// step and says so; what the steps before it produced stays, and nothing is ever written
// outside the arrays.
#pragma once

#include "logstore/QsoLog.h"

#include <QDateTime>
#include <QLineF>
#include <QRectF>
#include <QString>

#include <array>
#include <vector>

namespace qf {

constexpr int kGraphColumns = 1500;    // columns 1 to 1500 are plotted
constexpr int kGraphArraySize = 1601;  // indexes 0 to 1600

// The legend's colours in its order: "160", "80", "40", "20", "15", "10", "Other".
using BandColours = std::array<quint32, 7>;

enum class GraphStop {
    None,            // the whole graph was computed
    TooFewContacts,  // 6 contacts or fewer: nothing at all
    UnreadableDate,  // a date and time that does not read (before or after the time labels)
    ZeroSpan,        // first and last rows at the same time: the time labels only
    ColumnOutside,   // a contact outside columns 0 to 1600 (a log out of time order)
    FlatRate,        // the plotted rate is the same everywhere: the labels, no curve
};

struct RateGraph {
    GraphStop stop = GraphStop::None;
    bool timeLabelsSet = false;
    std::array<QString, 15> timeLabels;  // "hh:mm"
    std::array<QString, 15> dateLabels;  // "MM/DD"
    bool rateLabelsSet = false;
    std::array<QString, 17> rateLabels;  // "###0.0", index 0 at the bottom
    std::vector<float> columnRate = std::vector<float>(kGraphArraySize, 0.f);
    std::vector<float> plotRate = std::vector<float>(kGraphArraySize, 0.f);
    std::vector<quint32> columnColor = std::vector<quint32>(kGraphArraySize, 0);
    float plotMin = 100000.f;
    float plotMax = -1.f;
};

// The rate of each contact and the columns, gap filling, smoothing, extremes, band colours and
// labels, for rows 1 to count of the log.
RateGraph ComputeRateGraph(const QSOLog& log, int count, const BandColours& colours,
                           quint32 background);

// The number of contacts that count towards the rate at row i (1-based) of `seconds`: from i
// down, while a row lies less than 600 seconds before row i (later rows count too).
int ContactsInTenMinutes(const std::vector<qint64>& seconds, int i);

// Where the plot sits, in twips of the window's client area (the scaled line controls).
struct GraphFrame {
    double left;         // Line4.X1
    double right;        // Line3.X1
    double top;          // Line1.Y1
    double bottom;       // Line2.Y1
    double stripTop;     // Line8.Y1
    double stripBottom;  // Line9.Y1
};

struct StripBox {
    QRectF box;
    quint32 color;
};

struct GraphShape {
    std::vector<QLineF> curve;    // one segment per column, from x(c) to x(c - 1)
    std::vector<StripBox> strip;  // one box per column with a positive rate on either side
};

// The curve and the band strip of a computed graph; empty when it stopped.
GraphShape ShapeRateGraph(const RateGraph& graph, const GraphFrame& frame);

}  // namespace qf
