// Replies of the byte families as a rig sends them, for scripting the fake rig (FakeRig::answer)
// and for feeding the decoders. Frequencies are in Hz.
#pragma once

#include <QByteArray>
#include <QString>

namespace qf::test::rigbytes {

// Five bytes: eight BCD digits of 10 Hz, most significant first, then the mode code
// (0x01 upper sideband, 0x02 CW, 0x04 AM, 0x08 FM).
QByteArray yaesuFrequencyMode(qint64 hz, quint8 modeCode);

// A status block of the "Yaesu 890", "Yaesu 990", "Yaesu 1000 D", "Yaesu 1000" or
// "Yaesu 920": the frequency field at the model's place, the mode digit in byte 8's low digit,
// the rest filler, length bytes in all (0: as long as the model's block, 16 to 32 bytes).
QByteArray yaesuStatusBlock(const QString& model, qint64 hz, int modeDigit, int length = 0);

// The 757 GX II block: BCD of 10 Hz, lowest byte first, in bytes 6 to 9; the mode in byte 10
// (0x00 LSB, 0x01 USB, 0x02 CW, 0x04 AM, 0x05 FM).
QByteArray yaesu757Block(qint64 hz, quint8 modeByte, int length = 75);

// CI-V answers from the rig at address rig to the controller E0. The frequency is BCD in Hz,
// lowest byte first, dataBytes of it (five; four for the 735).
QByteArray civFrequency(quint8 rig, qint64 hz, int dataBytes = 5);
// Mode code (0x00 LSB, 0x01 USB, 0x03 CW, 0x07 CW-R...) and filter.
QByteArray civMode(quint8 rig, quint8 mode, quint8 filter = 0x01);
// The query's echo on the shared line, as the controller sees it in front of the answer.
QByteArray civEcho(quint8 rig, quint8 command);

// Front panel: 'A', four bytes of Hz most significant first, CR; 'M', two mode characters
// ('3' CW, '1' USB, '2' LSB...), CR.
QByteArray panelFrequency(qint64 hz);
QByteArray panelMode(char mode);

}  // namespace qf::test::rigbytes
