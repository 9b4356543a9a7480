// SpectrumMap: the full-screen HF spectrum map (" HF Spectrum Map"). Eleven band strips from
// 160 m to 2 m, each with a white line for the band, five scale labels under it narrowed onto
// the spots of the moment, and the fifty spot slots as labels standing on their band's line,
// coloured by age. A right click on a spot tunes the rig to it and hands its call to the open
// logging window; any other click removes the spot.
// Collaborators: the shared spot slots and station settings (App), the screen's work area, the
// rig window's ChangeFrequency and the facade Form1 for the open logging window's call box.
#pragma once

#include "platform/Controls.h"

#include <QDateTime>

#include <array>
#include <functional>

namespace qf {

class App;

class SpectrumMap : public Form {
    Q_OBJECT
  public:
    explicit SpectrumMap(App& app);

    std::array<Label*, 11> lblHFSpots{};   // the band strips
    std::array<Line*, 11> lineHF{};        // each band's frequency axis
    std::array<Label*, 55> lblFreqSpot{};  // band k's scale: 5k to 5k + 4, left to right
    std::array<Label*, 50> lblDXSpot{};    // label i shows spot slot i

    // Redraws scales and spot labels from the spot slots of this moment.
    void BandMapLabelDisplay();

    void Form_Activate();
    void Form_Load() override;
    void lblDXSpot_MouseDown(int Index, int Button);
    void FillWorkArea();
    void DrawBandScales();

    // How a right click tunes the rig: the rig window's ChangeFrequency, which lets events run.
    std::function<void(float& mhz)> tuneRig;

  protected:
    bool event(QEvent* e) override;

  private:
    void buildControls();
    // One slot's label: tooltip, caption, placement and colour; false ends the redraw here.
    bool drawSlot(int i, const QDateTime& now, std::array<bool, 50>& shown);
    App& app_;
};

}  // namespace qf
