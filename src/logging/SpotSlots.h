// The DX spots the logging windows show, without widgets: the fifty-slot table shared by the
// spot list, the band map and the spectrum map for the whole run, the rule by which a new spot
// enters it, the short label a spot carries on a band map, the spot list's row, the band map's
// range and scale, and which spots the band map draws in which colour.
#pragma once

#include "logging/BandRanges.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace qf {

struct SpotSlot {
    QString SpotCall;
    float SpotFrequency = 0;  // MHz; 0: removed, or the slot was never filled
    QDateTime SpotTime;       // local date and time of arrival
    QString SpotLabel;        // SpotLabelText of the call
};

// Slots 0 to 49, slot 49 always the newest. Nothing clears the table during a run; a spot is
// removed by setting its frequency to 0.
class SpotSlotTable {
  public:
    static constexpr int kSlots = 50;

    // A slot outside 0 to 49 is Error 9 (subscript out of range).
    SpotSlot& operator[](int i);
    const SpotSlot& operator[](int i) const;

    // One new spot: every slot moves down one place (slot 0 falls out), the spot becomes slot
    // 49, and the newest earlier slot of the same call (ignoring case) among 48 down to 1 gets
    // frequency 0. Slot 0 is not searched.
    void take(const QString& call, float mhz, const QDateTime& arrivedLocal);

  private:
    std::array<SpotSlot, kSlots> slots_{};
};

// The short label of a call on a band map: K1ABC gives K1, KH6/K1ABC gives KH6, K1ABC/4 gives
// K4, K1ABC/QRP gives QR; a call shorter than 3 characters gives an empty text.
QString SpotLabelText(const QString& call);

// A call as a cluster sent it, cut to what a call sign can hold: blanks around it dropped, then
// the leading run of letters, digits and "/". Whatever follows ("-7", a quote, a comma, control
// characters) never reaches the call box, the log or a record file.
QString cleanSpottedCall(const QString& call);

// A spot's frequency in MHz as plain decimal text, as the spot list shows it: "14.0255".
QString mhzText(double mhz);

// The spot list's row for a spot: call, frequency, country, status (empty), comments, prefix,
// time and sender, cut from the spot record as the list shows them. The record is cut before
// its first carriage return.
QStringList spotListRow(const QString& call, double mhz, const QString& record,
                        const QString& country);

// The range the band map shows: the band's edges, zoomed onto the spots of slots 1 to 49 that
// lie strictly inside them when there are at least two different frequencies (0.001 MHz
// outside the lowest and the highest).
BandEdges bandMapRange(const SpotSlotTable& table, const QString& band);

// Scale label i (0 to 4) of a range: low + i quarters, rounded to 3 decimals, "#.000".
QString scaleLabelText(const BandEdges& range, int i);

// Spot text colours by age in seconds: below 600 light yellow, below 1800 white, below 3600
// grey. An hour or more: not drawn.
constexpr quint32 kSpotNewColor = 0x80FFFF, kSpotColor = 0xFFFFFF, kSpotOldColor = 0xC0C0C0;
constexpr qint64 kSpotMaxAgeSeconds = 3600;
quint32 spotAgeColor(qint64 ageSeconds);

// What the band map draws, newest slot first: each slot whose frequency lies strictly between
// low and high (4-byte reals), with its colour. Drawing stops at the first such spot an hour
// old or older; it and every older one stay hidden.
struct DrawnSpot {
    int slot;
    quint32 color;
};
std::vector<DrawnSpot> bandMapSpots(const SpotSlotTable& table, float low, float high,
                                    const QDateTime& nowLocal);

// The tooltip of a drawn spot: call, frequency and the arrival time in UTC.
QString spotToolTip(const SpotSlot& slot, float utcOffsetHours);

}  // namespace qf
