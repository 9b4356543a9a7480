// Stand-ins for the rig window's poll and a spot source of the spotting window. Each does toward
// the facade window Form1 just what that window does with a parsed reading or spot line,
// passing its own variables, so the logging windows' tests reach Form1 without a rig or a spot
// source behind it.
#pragma once

#include "app/App.h"
#include "app/Forms.h"
#include "platform/Clock.h"
#include "spots/PacketSpotfrm.h"

#include <functional>
#include <optional>

namespace qf::test {

// The spotting window's choice that the logging window's spot layout reads: the row of its
// source list ("None", "TNC", "Telnet", "AGW Packet Engine") and "List" or "Band Map", set as
// the operator would leave them, without opening anything.
inline void chooseSpotDisplay(App& app, const QString& source, bool list) {
    PacketSpotfrm& w = app.forms().PacketSpotfrm();
    w.List1->setListIndex(w.List1->find(source));
    (list ? w.OptList : w.OptBand)->setValue(true);
}

// The rig window's poll. After each parsed reading it hands the frequency (MHz) to
// Form1.BandFreqConversion while "Use Frequency" is ticked, and the mode text to
// Form1.ModeSelection unless the mode source is "Don't Use". A reply can also wait for the next
// tick of the poll timer, which runs on the program's clock.
class RigPollDouble {
public:
    RigPollDouble(App& app, Clock& clock, int pollMs = 250) : app_(app), tmrGetData(clock) {
        tmrGetData.setInterval(pollMs);
        tmrGetData.Tick = [this] { tmrGetData_Timer(); };
        tmrGetData.setEnabled(true);
    }

    bool useFrequency = true;  // "Use Frequency"
    bool modeDontUse = false;  // mode source "Don't Use"

    // A reading parsed now.
    void reading(float mhz, const QString& mode) {
        float frequencyValue = mhz;
        QString strMode = mode;
        if (useFrequency) app_.forms().Form1().BandFreqConversion(frequencyValue);
        if (!modeDontUse) app_.forms().Form1().ModeSelection(strMode);
        ++readings;
        if (onReading) onReading();
    }
    // A reply that the next poll tick parses.
    void replyOnNextPoll(float mhz, const QString& mode) { pending_ = Reply{mhz, mode}; }
    // The rig window's Done.
    void cmdDone_Click() { app_.forms().Form1().SavePref(); }

    int readings = 0;
    std::function<void()> onReading;  // runs after each reading is handed over

private:
    struct Reply {
        float mhz;
        QString mode;
    };
    void tmrGetData_Timer() {
        if (!pending_) return;
        const Reply r = *pending_;
        pending_.reset();
        reading(r.mhz, r.mode);
    }

    App& app_;
    std::optional<Reply> pending_;

public:
    KitTimer tmrGetData;
};

// The spotting window's side of the spot panel. PostSpot hands each line that begins with "DX"
// to Form1.BandMapSpots (call from columns 27 to 39, kHz from columns 16 to 24, the record the
// line less its first three characters, each trimmed); Timer1 (333 ms) asks for a redraw on
// the 361st tick without a new spot while Form1.lblDX is visible; Done saves the settings and
// has the running logging window lay out the chosen source and display.
class SpotSourceDouble {
public:
    SpotSourceDouble(App& app, Clock& clock) : app_(app), Timer1(clock) {
        Timer1.setInterval(333);
        Timer1.Tick = [this] { Timer1_Timer(); };
        Timer1.setEnabled(true);
    }

    QString List1 = QStringLiteral("None");  // the source
    bool OptList = false;                     // "List"; else "Band Map"

    // A spot line as a cluster sends it: "DX de " and the spotter, the kHz right-aligned to
    // column 24, the call from column 27, the comment from column 40, the time from column 71.
    static QString line(const QString& spotter, const QString& khz, const QString& call,
                        const QString& comment = QString(), const QString& time = QString()) {
        QString l = (QStringLiteral("DX de ") + spotter + QLatin1Char(':')).leftJustified(15);
        l += khz.rightJustified(9) + QStringLiteral("  ") + call.leftJustified(13);
        l += comment.leftJustified(31) + time;
        return l;
    }

    void PostSpot(const QString& spotLine) {
        if (!spotLine.startsWith(QLatin1String("DX"))) return;
        LabelUpdateTimeCounter = 0;
        DXSpotCall = spotLine.mid(26, 13).trimmed();
        DXSpotFreq = spotLine.mid(15, 9).trimmed();
        DXSpotRecord = spotLine.mid(3).trimmed();
        app_.forms().Form1().BandMapSpots(DXSpotCall, DXSpotFreq, DXSpotRecord);
    }

    // The spotting window's Done: the source is opened (not here), the settings saved, the
    // logging window laid out.
    void cmdDone_Click() {
        chooseSpotDisplay(app_, List1, OptList);
        app_.forms().Form1().SavePref();
        app_.forms().Form1().PacketResize();
    }

    void Timer1_Timer() {
        ++LabelUpdateTimeCounter;
        if (LabelUpdateTimeCounter > 360) {
            LabelUpdateTimeCounter = 0;
            if (app_.forms().Form1().lblDX->Visible()) {
                ++redraws;
                app_.forms().Form1().DisplayBandMapLabels();
            }
        }
    }

    // The variables of the last spot as BandMapSpots left them.
    QString DXSpotCall, DXSpotFreq, DXSpotRecord;
    int LabelUpdateTimeCounter = 0;
    int redraws = 0;  // redraws asked of the facade

private:
    App& app_;

public:
    KitTimer Timer1;
};

}  // namespace qf::test
