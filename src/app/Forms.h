// Every window of the program, each loaded at its first reference.
#pragma once

#include "keying/BlindFrm.h"
#include "keying/CWFrm.h"
#include "keying/PhoneFrm.h"
#include "keying/frmWinKey.h"
#include "keying/frmCodePractice.h"
#include "logging/Form1.h"
#include "logging/Infrm.h"
#include "logging/Outfrm.h"
#include "logtools/CountyMapMN.h"
#include "logtools/DECabrilloIn.h"
#include "logtools/DEEditInfrm.h"
#include "logtools/DEEditOut.h"
#include "logtools/frmCountyChange.h"
#include "logtools/frmCountyChangeRover.h"
#include "logtools/frmCountyList.h"
#include "logtools/GraphQSO.h"
#include "platform/Form.h"
#include "rig/RigControlfrm.h"
#include "rig/frmBandPlan.h"
#include "rig/frmFrequencyTest.h"
#include "rig/frmRigTune.h"
#include "spots/PacketSpotfrm.h"
#include "spots/SpectrumMap.h"
#include "startup/Form5.h"
#include "startup/Form6.h"
#include "startup/frmArdlowLogo.h"
#include "startup/frmSplash.h"
#include "startup/frmStationID.h"

namespace qf {

class App;

class Forms {
public:
    explicit Forms(App& app);

    qf::frmSplash& frmSplash() { return splash_.get(); }
    qf::frmArdlowLogo& frmArdlowLogo() { return logo_.get(); }
    qf::frmStationID& frmStationID() { return stationID_.get(); }
    qf::Outfrm& Outfrm() { return outfrm_.get(); }
    qf::Infrm& Infrm() { return infrm_.get(); }
    qf::Form1& Form1() { return form1_.get(); }
    qf::Form5& Form5() { return form5_.get(); }
    qf::Form6& Form6() { return form6_.get(); }
    qf::DECabrilloIn& DECabrilloIn() { return cabrillo_.get(); }
    qf::CWFrm& CWFrm() { return cwfrm_.get(); }
    qf::DEEditInfrm& DEEditInfrm() { return editIn_.get(); }
    qf::DEEditOut& DEEditOut() { return editOut_.get(); }
    qf::frmCountyChange& frmCountyChange() { return countyChange_.get(); }
    qf::frmCountyChangeRover& frmCountyChangeRover() { return countyChangeRover_.get(); }
    qf::frmCountyList& frmCountyList() { return countyList_.get(); }
    qf::CountyMapMN& CountyMapMN() { return countyMap_.get(); }
    qf::RigControlfrm& RigControlfrm() { return rigfrm_.get(); }
    qf::frmRigTune& frmRigTune() { return rigTune_.get(); }
    qf::frmBandPlan& frmBandPlan() { return bandPlan_.get(); }
    qf::frmFrequencyTest& frmFrequencyTest() { return frequencyTest_.get(); }
    qf::PacketSpotfrm& PacketSpotfrm() { return packetSpot_.get(); }
    qf::SpectrumMap& SpectrumMap() { return spectrumMap_.get(); }
    qf::frmWinKey& frmWinKey() { return winKey_.get(); }
    qf::GraphQSO& GraphQSO() { return graph_.get(); }
    qf::frmCodePractice& frmCodePractice() { return codePractice_.get(); }
    qf::PhoneFrm& PhoneFrm() { return phoneFrm_.get(); }
    qf::BlindFrm& BlindFrm() { return blindFrm_.get(); }

    FormSlot<qf::frmSplash>& splashSlot() { return splash_; }
    FormSlot<qf::frmArdlowLogo>& logoSlot() { return logo_; }
    FormSlot<qf::frmStationID>& stationIDSlot() { return stationID_; }
    FormSlot<qf::Outfrm>& outfrmSlot() { return outfrm_; }
    FormSlot<qf::Infrm>& infrmSlot() { return infrm_; }
    FormSlot<qf::Form1>& form1Slot() { return form1_; }
    FormSlot<qf::Form5>& form5Slot() { return form5_; }
    FormSlot<qf::Form6>& form6Slot() { return form6_; }
    FormSlot<qf::DECabrilloIn>& cabrilloSlot() { return cabrillo_; }
    FormSlot<qf::CWFrm>& cwFrmSlot() { return cwfrm_; }
    FormSlot<qf::DEEditInfrm>& editInSlot() { return editIn_; }
    FormSlot<qf::DEEditOut>& editOutSlot() { return editOut_; }
    FormSlot<qf::frmCountyChange>& countyChangeSlot() { return countyChange_; }
    FormSlot<qf::frmCountyChangeRover>& countyChangeRoverSlot() { return countyChangeRover_; }
    // The rover's county line as the in-state window reads it (from the rover list window).
    RoverCountyLine& roverCountyLine() { return roverLine_; }
    FormSlot<qf::frmCountyList>& countyListSlot() { return countyList_; }
    FormSlot<qf::CountyMapMN>& countyMapSlot() { return countyMap_; }
    FormSlot<qf::RigControlfrm>& rigFrmSlot() { return rigfrm_; }
    FormSlot<qf::frmRigTune>& rigTuneSlot() { return rigTune_; }
    FormSlot<qf::frmBandPlan>& bandPlanSlot() { return bandPlan_; }
    FormSlot<qf::frmFrequencyTest>& frequencyTestSlot() { return frequencyTest_; }
    FormSlot<qf::PacketSpotfrm>& packetSpotSlot() { return packetSpot_; }
    FormSlot<qf::SpectrumMap>& spectrumMapSlot() { return spectrumMap_; }
    FormSlot<qf::frmWinKey>& winKeySlot() { return winKey_; }
    FormSlot<qf::GraphQSO>& graphSlot() { return graph_; }
    FormSlot<qf::frmCodePractice>& codePracticeSlot() { return codePractice_; }
    FormSlot<qf::PhoneFrm>& phoneFrmSlot() { return phoneFrm_; }
    FormSlot<qf::BlindFrm>& blindFrmSlot() { return blindFrm_; }

private:
    FormSlot<qf::frmSplash> splash_;
    FormSlot<qf::frmArdlowLogo> logo_;
    FormSlot<qf::frmStationID> stationID_;
    FormSlot<qf::Outfrm> outfrm_;
    FormSlot<qf::Infrm> infrm_;
    FormSlot<qf::Form1> form1_;
    FormSlot<qf::Form5> form5_;
    FormSlot<qf::Form6> form6_;
    FormSlot<qf::DECabrilloIn> cabrillo_;
    FormSlot<qf::CWFrm> cwfrm_;
    FormSlot<qf::DEEditInfrm> editIn_;
    FormSlot<qf::DEEditOut> editOut_;
    FormSlot<qf::frmCountyChange> countyChange_;
    FormSlot<qf::frmCountyChangeRover> countyChangeRover_;
    RoverCountyLine roverLine_{countyChangeRover_};
    FormSlot<qf::frmCountyList> countyList_;
    FormSlot<qf::CountyMapMN> countyMap_;
    FormSlot<qf::RigControlfrm> rigfrm_;
    FormSlot<qf::frmRigTune> rigTune_;
    FormSlot<qf::frmBandPlan> bandPlan_;
    FormSlot<qf::frmFrequencyTest> frequencyTest_;
    FormSlot<qf::PacketSpotfrm> packetSpot_;
    FormSlot<qf::SpectrumMap> spectrumMap_;
    FormSlot<qf::frmWinKey> winKey_;
    FormSlot<qf::GraphQSO> graph_;
    FormSlot<qf::frmCodePractice> codePractice_;
    FormSlot<qf::PhoneFrm> phoneFrm_;
    FormSlot<qf::BlindFrm> blindFrm_;
};

}  // namespace qf
