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

    // Contact entry
    QString HandOverKey;       // the handed-over key's code in decimal
    quint8 HandOverTarget = 0; // 0 none, 1 the RST-sent box, 4 the in-state county box
    struct {
        quint8 DupeFlag = 0;
        quint8 MissingFieldFlag = 0;
        quint8 BadSectionFlag = 0;
        quint8 BadCountyFlag = 0;
    } EntryCheckFlags;
    QDateTime LastDupeTime;    // local

    // CW macro values: what the function-key messages put in place of their macros
    struct {
        QString MacroCall;
        QString MacroRstSent;
        QString MacroCounty;
    } CWMacroValues;

    // CW send state
    QString CWSendBuffer;
    quint8 CWSending = 0;
    quint8 CWKeyingInterface = 0;  // 0 none, 1 serial RTS, 2 serial DTR, 3 parallel, 5 WinKey
    quint8 KeyboardCWMode = 0;
    quint8 CWRepeatActive = 0;
    quint8 VoiceRepeatActive = 0;
    // WinKey state
    quint8 WinKeyVersion = 0;      // non-zero while the WinKey is open
    qint32 WinKeyStatus = 0;       // the keyer's status as last read
    quint8 WinKeyPort = 0;         // its serial port number
    quint8 WinKeyPinConfig = 0;    // 5 PTT, 6 tone, 4 key on pin 3, 8 key on pin 5
    quint8 WinKeyMode = 0;         // 0 iambic B, 16 iambic A, 32 ultimatic, 48 bug
};

}  // namespace qf
