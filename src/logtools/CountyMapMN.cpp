#include "logtools/CountyMapMN.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/ScreenScaling.h"
#include "logging/LoggingWindow.h"
#include "platform/Colors.h"
#include "platform/Error.h"
#include "platform/ListBox.h"

#include <QPixmap>

namespace qf {

CountyMapMN::CountyMapMN(App& app)
    : Form(app.platform(), QStringLiteral("CountyMapMN"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral(" Rozirazav County Map"));
    // A dialog: no minimise or maximise button, and no entry of its own in the taskbar.
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    // The client area holds the picture exactly, so its pixels are the window's pixels.
    const double pictureWidth = kMapWidth * kTwipsPerPixel;
    const double pictureHeight = kMapHeight * kTwipsPerPixel;
    Move(0, 0, pictureWidth + 2 * kBorderTwips, pictureHeight + 2 * kBorderTwips + kCaptionTwips);

    picture_ = countyMapPicture();
    Picture1 = add<Image>(QStringLiteral("Picture1"));
    Picture1->Move(0, 0, pictureWidth, pictureHeight);
    Picture1->setPicture(QPixmap::fromImage(picture_));

    const std::vector<MapLabel> labels = countyMapLabels();
    for (size_t i = 0; i < lblCounty.size(); ++i) {
        const QString name = QStringLiteral("lblCounty(%1)").arg(i);
        Label* l = add<Label>(name, i < labels.size() ? labels[i].code : QString());
        l->setBackColor(kWhite);
        l->setAlignment(Qt::AlignCenter);
        l->setFontSize(6);
        if (i < labels.size()) {
            const MapLabel& m = labels[i];
            l->Move(m.left * kTwipsPerPixel, m.top * kTwipsPerPixel, m.width * kTwipsPerPixel,
                    m.height * kTwipsPerPixel);
        }
        lblCounty[i] = l;
    }

    // In the grey corner above the state's north-east shore.
    Label1 = add<Label>(QStringLiteral("Label1"),
                        QStringLiteral("Counties will change color when worked."));
    Label1->setTransparent(true);
    Label1->Move(3450, 150, 3100, 255);

    Timer1 = add<Timer>(QStringLiteral("Timer1"), 1, true);
    Timer1->Tick = [this] { Timer1_Timer(); };
}

void CountyMapMN::Form_Load() {
    ScaleWindow(*this, platform().screen, platform().dialogs);
    for (Label* l : lblCounty) {
        l->setToolTip(l->Caption());
        l->setCaption(QString());
        l->setTransparent(true);
    }
    if (app_.log().QSOCount > 0) Label1->setVisible(false);
}

void CountyMapMN::Timer1_Timer() {
    Timer1->setEnabled(false);
    if (app_.station().OutOfStateFlag == 1) {
        PaintWorkedCountiesOut();
    } else {
        PaintWorkedCountiesIn();
    }
}

void CountyMapMN::PaintWorkedCountiesIn() {
    paintFrom(*app_.forms().Infrm().List2);
}

void CountyMapMN::PaintWorkedCountiesOut() {
    paintFrom(*app_.forms().Outfrm().List2);
}

void CountyMapMN::paintFrom(const ListBox& worked) {
    // A failure ends the painting quietly; what was painted so far stays.
    try {
        std::vector<MapLabel> labels;
        labels.reserve(lblCounty.size());
        for (const Label* l : lblCounty) {
            labels.push_back({l->toolTip(), static_cast<int>(l->Left() / kTwipsPerPixel),
                              static_cast<int>(l->Top() / kTwipsPerPixel),
                              static_cast<int>(l->Width() / kTwipsPerPixel),
                              static_cast<int>(l->Height() / kTwipsPerPixel)});
        }
        QStringList entries;
        for (int i = 0; i < worked.ListCount(); ++i) entries << worked.List(i);
        paintWorkedCounties(picture_, labels, entries, app_.random());
    } catch (const Error&) {
    }
    Picture1->setPicture(QPixmap::fromImage(picture_));
}

}  // namespace qf
