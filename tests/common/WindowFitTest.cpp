// Every window as it opens on a real screen: no visible button may reach past the client area,
// where the operator could neither see nor click it.
#include "app/Forms.h"
#include "platform/Controls.h"
#include "logging/LoggingFixture.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

#include <functional>

namespace qf {
namespace {

using Opener = std::function<Form&(Forms&)>;

struct WindowCase {
    const char* name;
    Opener open;
};

template <class F>
Opener opener(F& (Forms::*get)()) {
    return [get](Forms& f) -> Form& { return (f.*get)(); };
}

const WindowCase kWindows[] = {
    {"frmRigTune", opener(&Forms::frmRigTune)},
    {"frmBandPlan", opener(&Forms::frmBandPlan)},
    {"frmFrequencyTest", opener(&Forms::frmFrequencyTest)},
    {"PacketSpotfrm", opener(&Forms::PacketSpotfrm)},
    {"RigControlfrm", opener(&Forms::RigControlfrm)},
    {"CWFrm", opener(&Forms::CWFrm)},
    {"PhoneFrm", opener(&Forms::PhoneFrm)},
    {"BlindFrm", opener(&Forms::BlindFrm)},
    {"frmCodePractice", opener(&Forms::frmCodePractice)},
    {"frmWinKey", opener(&Forms::frmWinKey)},
    {"frmCountyChange", opener(&Forms::frmCountyChange)},
    {"frmCountyChangeRover", opener(&Forms::frmCountyChangeRover)},
    {"GraphQSO", opener(&Forms::GraphQSO)},
    {"Form5", opener(&Forms::Form5)},
    {"Form6", opener(&Forms::Form6)},
    {"frmStationID", opener(&Forms::frmStationID)},
    {"DECabrilloIn", opener(&Forms::DECabrilloIn)},
    {"DEEditInfrm", opener(&Forms::DEEditInfrm)},
    {"DEEditOut", opener(&Forms::DEEditOut)},
    {"Outfrm", opener(&Forms::Outfrm)},
    {"Infrm", opener(&Forms::Infrm)},
};

// The new user's 1600 x 1000 screen and the design screen itself, in twips.
const QSizeF kScreens[] = {{24000, 15000}, {9600, 7200}};

// The logging windows' station and folder, enough for every window to load.
class WindowFitTest : public test::LoggingFixture,
                      public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(WindowFitTest, EveryVisibleButtonLiesInsideTheClientArea) {
    const WindowCase& wc = kWindows[std::get<0>(GetParam())];
    const QSizeF screen = kScreens[std::get<1>(GetParam())];
    t.screen().set(screen, QRectF(QPointF(0, 0), screen));
    writeLog({});
    Form& w = wc.open(t.app().forms());
    QCoreApplication::processEvents();
    // Pixels, as the window system placed them: the twips are rounded on the way.
    QWidget* client = w.client();
    for (Control* c : w.controls()) {
        QWidget* b = c->widget();
        if (c->kind() != ControlKind::CommandButton || !b || !b->isVisibleTo(&w)) continue;
        const QRect r(b->mapTo(client, QPoint(0, 0)), b->size());
        EXPECT_TRUE(client->rect().contains(r))
            << wc.name << " at " << screen.width() / 15 << " x " << screen.height() / 15 << ": "
            << c->Name().toStdString() << " spans " << r.left() << ".." << r.right() << ", "
            << r.top() << ".." << r.bottom() << " in a client area of " << client->width() << " x "
            << client->height();
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowFitTest,
                         ::testing::Combine(::testing::Range(0, int(std::size(kWindows))),
                                            ::testing::Range(0, int(std::size(kScreens)))),
                         [](const auto& info) {
                             return std::string(kWindows[std::get<0>(info.param)].name) +
                                    (std::get<1>(info.param) == 0 ? "_1600x1000" : "_Design");
                         });

}  // namespace
}  // namespace qf
