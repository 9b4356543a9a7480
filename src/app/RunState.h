// Run-time state shared by the windows and never saved.
#pragma once

#include <QDateTime>
#include <QString>

namespace qf {

struct RunState {
    // Operating clock
    quint8 LoggedOn = 0;
    QDateTime LogOnTime;          // local
    float OperatingSeconds = 0;   // as last shown

    // Logging window
    quint8 PossibleDupesOn = 0;
    quint8 LogListAll = 0;        // 0: the last 20 contacts, 1: all
    float EditRecordNumber = 0;
    QString FrequencyToLog;

    // CW send state
    QString CWSendBuffer;
    quint8 CWSending = 0;
};

}  // namespace qf
