// Form1: the hidden facade through which the rig and spotting windows reach whichever logging
// window runs the contest (Outfrm when the station is outside the contest state, else Infrm).
// It is never shown. Its label lblDX is a flag only: visible exactly while the open logging
// window shows its band map, which tells the spotting window's timer to refresh that map.
#pragma once

#include "platform/Controls.h"

namespace qf {

class App;
class LoggingWindow;

class Form1 : public Form {
    Q_OBJECT
  public:
    explicit Form1(App& app);

    Label* lblDX;
    // The spectrum map's right click may write a call here; nothing reads it.
    TextBox* txtCall;
    TextBox* txtDX;  // not used

    // Forwarded to the open logging window, chosen anew at every call. Arguments are the
    // callers' own variables: BandMapSpots writes the MHz value back into qDXSpotFreq and cuts
    // qDXSpotRecord before its first CR, which the spotting window relies on.
    void BandFreqConversion(const float& frequencyValue);
    void ModeSelection(const QString& strMode);
    void BandMapSpots(const QString& qDXSpotCall, QString& qDXSpotFreq, QString& qDXSpotRecord);
    void DisplayBandMapLabels();
    void PacketResize();
    // Rewrites "QSOpref.txt".
    void SavePref();
    // The call box of the open logging window, where the spectrum map's right click puts a call.
    TextBox& openCallBox();

  private:
    LoggingWindow& openWindow();
    App& app_;
};

}  // namespace qf
