// Every way the program opens a serial port leaves DTR and RTS down: a tty raises both as it
// opens, and a line left up keys a transmitter on a keying interface or powers what it should
// not. The ports are scripted ones whose device records its lines, raised at open like a real
// port; the keyers, the rig and the TNC share the ports, so they are all checked here.
#include "app/Forms.h"
#include "keying/CWFrm.h"
#include "keying/PhoneFrm.h"
#include "keying/frmWinKey.h"
#include "rig/RigControlfrm.h"
#include "spots/PacketSpotfrm.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <functional>

namespace qf {
namespace {

void pick(ListBox* list, const char* item, const std::function<void()>& click) {
    const int row = list->find(QLatin1String(item));
    ASSERT_GE(row, 0) << item;
    list->setListIndex(row);
    click();
}

TEST(PortLinesTest, EveryOpenerLeavesDtrAndRtsDown) {
    std::unique_ptr<SerialPort> bare;
    const struct {
        const char* what;
        // The port the opener opens, when it exists before (its flags are raised beforehand, as
        // keying or an earlier setting may have left them).
        std::function<SerialPort*(App&)> port;
        std::function<void(test::TestApp&)> open;
    } cases[] = {
        {"a port opened bare, its lines never set", nullptr,
         [&bare](test::TestApp& t) {
             bare = t.serialPorts().create();
             bare->setCommPort(4);
             bare->setPortOpen(true);
         }},
        {"the CW setup", [](App& a) { return a.forms().CWFrm().Comm.get(); },
         [](test::TestApp& t) {
             CWFrm& cw = t.app().forms().CWFrm();
             cw.Text10->setText(QStringLiteral("3"));
             EXPECT_TRUE(cw.CWSetup());
         }},
        {"push-to-talk", [](App& a) { return a.forms().PhoneFrm().CommPhone.get(); },
         [](test::TestApp& t) {
             PhoneFrm& ph = t.app().forms().PhoneFrm();
             ph.Text10->setText(QStringLiteral("3"));
             ph.Text10_LostFocus();
         }},
        {"the rig", [](App& a) { return a.forms().RigControlfrm().comComm1.get(); },
         [](test::TestApp& t) {
             RigControlfrm& w = t.app().forms().RigControlfrm();
             pick(w.List1, "Kenwood", [&] { w.List1_Click(); });
             w.optComm[1]->setValue(true);
             w.Command1_Click();
         }},
        // With RTS/CTS handshaking, which choosing the TNC proposes, RTS is the driver's.
        {"the TNC without handshaking",
         [](App& a) { return a.forms().PacketSpotfrm().comComm1.get(); },
         [](test::TestApp& t) {
             PacketSpotfrm& w = t.app().forms().PacketSpotfrm();
             pick(w.List1, "TNC", [&] { w.List1_Click(); });
             w.Option1->setValue(true);
             w.optComm[1]->setValue(true);
             w.Command1_Click();
         }},
        {"the WinKey", nullptr,
         [](test::TestApp& t) {
             // A keyer that echoes and answers the host open with its version.
             t.scriptedSerialPorts()->answer = [](const QByteArray& bytes) {
                 if (bytes == QByteArray("\x00\x04\x55", 3)) return QByteArray("\x55");
                 if (bytes == QByteArray("\x00\x02", 2)) return QByteArray("\x17");
                 return QByteArray();
             };
             frmWinKey& w = t.app().forms().frmWinKey();
             w.txtWKComPort->setText(QStringLiteral("5"));
             w.txtWKComPort_LostFocus();
             w.cmdOpenWinkey_Click();
             EXPECT_EQ(t.app().run().WinKeyVersion, 23);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TestApp t({.scriptedSerialPorts = true});
        t.app().startup().WorkingFolder = t.work();
        t.app().startup().DataFolder = t.work();
        if (c.port) {
            SerialPort* port = c.port(t.app());
            ASSERT_FALSE(port->PortOpen());
            port->setDTREnable(true);
            port->setRTSEnable(true);
        }
        c.open(t);
        int open = 0;
        for (const auto& d : t.scriptedSerialPorts()->devices()) {
            if (!d->open) continue;
            ++open;
            EXPECT_FALSE(d->dtr) << "port " << d->port;
            EXPECT_FALSE(d->rts) << "port " << d->port;
        }
        EXPECT_EQ(open, 1);
        bare.reset();
    }
}

}  // namespace
}  // namespace qf
