// Tuning the rig: the set-frequency and set-mode commands.
#include "rig/RigControlfrm.h"

namespace qf {

void RigControlfrm::ChangeFrequency(float&) {}

void RigControlfrm::ChangeMode(float&, QString&) {}

}  // namespace qf
