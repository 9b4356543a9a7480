#include "logging/LoggingFixture.h"

namespace qf {
namespace {

using test::LoggingFixture;

QSORecord contact(const QString& call, const QString& band) {
    QSORecord q;
    q.Call = call;
    q.NameSent = QStringLiteral("JOE");
    q.NameRcvd = QStringLiteral("BOB");
    q.CountyRcvd = QStringLiteral("AIT");
    q.QSODate = QStringLiteral("2026/09/12");
    q.QSOTime = QStringLiteral("14:50:00");
    q.Mode = QStringLiteral("PH");
    q.Band = band;
    return q;
}

class BandModeTest : public LoggingFixture {
  protected:
    Outfrm& w() { return *t.app().forms().outfrmSlot().peek(); }
    StationSettings saved() {
        StationSettings s;
        ReadQSOPref(s, t.files());
        return s;
    }
    std::vector<int> tickedBands() {
        std::vector<int> ticked;
        for (size_t i = 0; i < w().mnuBandItems.size(); ++i) {
            if (w().mnuBandItems[i]->Checked()) ticked.push_back(static_cast<int>(i));
        }
        return ticked;
    }
    QString modeTicks() {
        return QString::number(w().mnu160->Checked()) + QString::number(w().mnuSSB->Checked()) +
               QString::number(w().mnuDigital->Checked());
    }
    // A contact written behind the window's back shows only after a reload.
    void addContactOnDisk() {
        QFile f(t.work() + QStringLiteral("/log.txt"));
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(encodeRecord(contact(QStringLiteral("N0NEW"), QStringLiteral("40"))));
    }
    void clickLabel(Label* l) {
        QTest::mouseClick(l, Qt::LeftButton);
        settle();
    }
};

TEST_F(BandModeTest, BandItemsSetTheBandSaveItAndReloadTheLog) {
    writeLog({contact(QStringLiteral("W1AW"), QStringLiteral("20"))});
    openOut();
    ASSERT_EQ(tickedBands(), (std::vector<int>{3}));
    addContactOnDisk();
    w().mnuBandItems[2]->action()->trigger();  // "40"
    EXPECT_EQ(t.app().station().CurrentBand, QStringLiteral("40"));
    EXPECT_EQ(tickedBands(), (std::vector<int>{2}));
    EXPECT_EQ(w().Label24->Caption(), QStringLiteral("40"));
    EXPECT_EQ(saved().CurrentBand, QStringLiteral("40"));
    EXPECT_EQ(t.app().log().QSOCount, 2);
    EXPECT_EQ(w().ListView1->count(), 2);

    // The band that is already current runs the whole change again.
    addContactOnDisk();
    w().mnuBandItems[2]->action()->trigger();
    EXPECT_EQ(tickedBands(), (std::vector<int>{2}));
    EXPECT_EQ(t.app().log().QSOCount, 3);

    // "1.25" and "70" through their own items.
    w().mnuBandItems[8]->action()->trigger();
    EXPECT_EQ(w().Label24->Caption(), QStringLiteral("1.25"));
    w().mnuBandItems[9]->action()->trigger();
    EXPECT_EQ(saved().CurrentBand, QStringLiteral("70"));
    EXPECT_EQ(tickedBands(), (std::vector<int>{9}));
}

TEST_F(BandModeTest, ModeItemsSaveReloadAndTick) {
    writeLog({});
    openOut();
    ASSERT_EQ(modeTicks(), QStringLiteral("010"));
    struct Case {
        MenuItem* Outfrm::*item;
        const char* mode;
        const char* ticks;
    };
    const Case cases[] = {{&Outfrm::mnuDigital, "DG", "001"},
                          {&Outfrm::mnu160, "CW", "100"},
                          {&Outfrm::mnuSSB, "PH", "010"},
                          {&Outfrm::mnuSSB, "PH", "010"}};
    for (const Case& c : cases) {
        addContactOnDisk();
        const int before = t.app().log().QSOCount;
        (w().*c.item)->action()->trigger();
        EXPECT_EQ(t.app().station().CurrentMode, QLatin1String(c.mode));
        EXPECT_EQ(w().Label30->Caption(), QLatin1String(c.mode));
        EXPECT_EQ(saved().CurrentMode, QLatin1String(c.mode));
        EXPECT_EQ(modeTicks(), QLatin1String(c.ticks)) << c.mode;
        EXPECT_EQ(t.app().log().QSOCount, before + 1);
    }
}

TEST_F(BandModeTest, CaptionClicks) {
    writeLog({});
    openOut();
    // The band caption walks the ten bands round; a band outside them stays put.
    const char* cycle[][2] = {{"160", "80"},  {"80", "40"},  {"40", "20"}, {"20", "15"},
                              {"15", "10"},   {"10", "6"},   {"6", "2"},   {"2", "1.25"},
                              {"1.25", "70"}, {"70", "160"}, {"30", "30"}, {"abc", "abc"}};
    for (const auto& c : cycle) {
        t.app().station().CurrentBand = QLatin1String(c[0]);
        clickLabel(w().Label24);
        EXPECT_EQ(t.app().station().CurrentBand, QLatin1String(c[1])) << c[0];
    }
    EXPECT_EQ(w().Label24->toolTip(), QStringLiteral("Click to change modes."));
    // The mode caption: CW goes to PH, anything else to CW; "DG" only from the menu.
    const char* modes[][2] = {{"CW", "PH"}, {"PH", "CW"}, {"DG", "CW"}, {"cw", "PH"}, {"XX", "CW"}};
    for (const auto& m : modes) {
        t.app().station().CurrentMode = QLatin1String(m[0]);
        clickLabel(w().Label30);
        EXPECT_EQ(t.app().station().CurrentMode, QLatin1String(m[1])) << m[0];
        EXPECT_EQ(w().Label30->Caption(), QLatin1String(m[1]));
    }
}

// The rig's frequency through the facade: the band follows the ten switching ranges, the
// others switch nothing, and the frequency is kept for the next contact in every case.
TEST_F(BandModeTest, RigFrequencyReadings) {
    writeLog({});
    openOut();
    struct Case {
        const char* bandBefore;
        float mhz;
        const char* bandAfter;
        const char* toLog;
    };
    const Case cases[] = {{"80", 14.35f, "20", "14.350"},    {"80", 14.3501f, "80", "14.350"},
                          {"80", 2.0f, "160", "2.000"},      {"80", 1.8f, "160", "1.800"},
                          {"80", 29.7f, "10", "29.700"},     {"20", 10.1f, "20", "10.100"},
                          {"20", 18.1f, "20", "18.100"},     {"20", 24.95f, "20", "24.950"},
                          {"20", 1296.0f, "20", "1296.000"}, {"20", 10368.1f, "10", "10368.100"},
                          {"20", 0.0f, "20", ".000"},        {"20", 7.0255f, "40", "7.026"},
                          {"20", 146.52f, "2", "146.520"},   {"20", 223.5f, "1.25", "223.500"},
                          {"20", 432.1f, "70", "432.100"},   {"20", 50.125f, "6", "50.125"},
                          {"20", 21.3f, "15", "21.300"},     {"abc", 3.7f, "80", "3.700"}};
    for (const Case& c : cases) {
        t.app().station().CurrentBand = QLatin1String(c.bandBefore);
        t.app().forms().Form1().BandFreqConversion(c.mhz);
        EXPECT_EQ(t.app().station().CurrentBand, QLatin1String(c.bandAfter)) << c.mhz;
        EXPECT_EQ(t.app().run().FrequencyToLog, QLatin1String(c.toLog)) << c.mhz;
    }
    // The same reading at every poll changes the band once: no save, no reload afterwards.
    t.app().forms().Form1().BandFreqConversion(7.010f);
    ASSERT_EQ(saved().CurrentBand, QStringLiteral("40"));
    t.files().remove(kSettingsFile);
    t.app().forms().Form1().BandFreqConversion(7.010f);
    EXPECT_FALSE(t.files().fileExists(kSettingsFile));
    EXPECT_EQ(tickedBands(), (std::vector<int>{2}));
}

TEST_F(BandModeTest, RigModeReadings) {
    writeLog({});
    openOut();
    struct Case {
        const char* before;
        const char* reported;
        const char* after;
        bool saved;
    };
    const Case cases[] = {{"CW", "ph", "PH", true},   {"PH", "cw", "CW", true},
                          {"CW", "AM", "CW", false},  {"CW", "FM", "CW", false},
                          {"CW", "USB", "CW", false}, {"CW", "", "CW", false},
                          {"CW", "CW", "CW", false},  {"PH", "DG", "PH", false}};
    for (const Case& c : cases) {
        t.app().station().CurrentMode = QLatin1String(c.before);
        t.files().remove(kSettingsFile);
        t.app().forms().Form1().ModeSelection(QLatin1String(c.reported));
        EXPECT_EQ(t.app().station().CurrentMode, QLatin1String(c.after)) << c.reported;
        EXPECT_EQ(t.files().fileExists(kSettingsFile), c.saved) << c.reported;
    }
}

TEST_F(BandModeTest, InStateBandAndModeChangesRecheckATypedCall) {
    t.app().station().OutOfStateFlag = 0;
    writeLog({});
    Infrm& in = open(&Forms::Infrm);
    int rechecks = 0;
    in.txtCntry->Change = [&] { ++rechecks; };
    in.mnuBandItems[2]->action()->trigger();
    in.mnuSSB->action()->trigger();
    EXPECT_EQ(rechecks, 0);  // no call typed
    in.txtCall->setText(QStringLiteral("DL1ABC"));
    rechecks = 0;
    in.mnuBandItems[3]->action()->trigger();
    EXPECT_EQ(rechecks, 1);
    in.mnuDigital->action()->trigger();
    EXPECT_EQ(rechecks, 2);
    EXPECT_EQ(in.mnuDigital->Caption(), QStringLiteral("&DG"));
    EXPECT_EQ(in.Label30->Caption(), QStringLiteral("DG"));
    // The facade reaches the in-state window when the station is inside the state.
    t.app().forms().Form1().BandFreqConversion(3.55f);
    EXPECT_EQ(in.Label24->Caption(), QStringLiteral("80"));
    EXPECT_FALSE(t.app().forms().outfrmSlot().isLoaded());
}

}  // namespace
}  // namespace qf
