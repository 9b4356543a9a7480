#include "logging/Form1.h"

#include "app/App.h"
#include "app/Forms.h"
#include "logging/LoggingWindow.h"

namespace qf {

Form1::Form1(App& app) : Form(app.platform(), QStringLiteral("Form1")), app_(app) {
    // The caption doubles as the program's name towards the packet engine.
    setCaption(QStringLiteral("Form1"));
    // The window's own font is the default one; the tuning window scales its font from it.
    setFontSize(8.25);
    lblDX = add<Label>(QStringLiteral("lblDX"));
    lblDX->setVisible(false);
    txtCall = add<TextBox>(QStringLiteral("txtCall"));
    txtDX = add<TextBox>(QStringLiteral("txtDX"));
}

LoggingWindow& Form1::openWindow() {
    if (app_.station().OutOfStateFlag != 0) return app_.forms().Outfrm();
    return app_.forms().Infrm();
}

void Form1::BandFreqConversion(const float& frequencyValue) {
    openWindow().BandFreqConversion(frequencyValue);
}

void Form1::ModeSelection(const QString& strMode) {
    openWindow().ModeSelection(strMode);
}

void Form1::BandMapSpots(const QString& qDXSpotCall, QString& qDXSpotFreq,
                         QString& qDXSpotRecord) {
    openWindow().BandMapSpots(qDXSpotCall, qDXSpotFreq, qDXSpotRecord);
}

void Form1::DisplayBandMapLabels() {
    openWindow().DisplayBandMapLabels();
}

void Form1::PacketResize() {
    openWindow().PacketResize();
}

TextBox& Form1::openCallBox() {
    return *openWindow().txtCall;
}

void Form1::SavePref() {
    WriteQSOPref(app_.station(), platform().files);
}

}  // namespace qf
