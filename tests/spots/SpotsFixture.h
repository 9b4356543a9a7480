// The spotting window beside the out-of-state logging window, on a fresh application: the
// station set up outside the contest state, an empty log, and the clock set. Serial port
// numbers name no device unless a test points one at a pty.
#pragma once

#include "logging/LoggingFixture.h"
#include "spots/PacketSpotfrm.h"

namespace qf::test {

class SpotsFixture : public LoggingFixture {
  protected:
    PacketSpotfrm& w() { return t.app().forms().PacketSpotfrm(); }
    // A source picked in the list, as a click does.
    void choose(const QString& source) {
        const int row = w().List1->find(source);
        ASSERT_GE(row, 0) << source.toStdString();
        w().List1->setListIndex(row);
        w().List1_Click();
    }
    // "PackSpot.txt", one value a line.
    void writeSettings(std::initializer_list<const char*> lines) {
        QByteArray data;
        for (const char* l : lines) data += QByteArray(l) + "\r\n";
        t.writeFile(QStringLiteral("PackSpot.txt"), data);
    }
    const QString& monitor() { return w().Monitor.text(); }
    bool listening() { return w().Label4->Visible(); }
};

}  // namespace qf::test
