#include "support/SystemDoubles.h"

#include "platform/Error.h"

namespace qf {

void RecordingEnding::endNow(int code) {
    ended_ = true;
    code_ = code;
    throw ProgramEnded(code);
}

}  // namespace qf
