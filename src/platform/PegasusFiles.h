// The folder through which the program talks to the Pegasus control program: it writes the
// rig's frequency and mode into "PEGASUS.OUT" and reads its tuning requests from "PEGASUS.IN".
// The folder is QUILLFEN_PEGASUS when that is set, else "Pegasus" in the home folder. A missing
// folder or file is the normal state while that program is not running.
#pragma once

#include <QString>

namespace qf {

class Environment;

QString PegasusFolder(const Environment& environment);
// The file the control program writes and this program reads.
QString PegasusOutPath(const Environment& environment);
// The file this program writes for the control program.
QString PegasusInPath(const Environment& environment);

}  // namespace qf
