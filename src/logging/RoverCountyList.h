// The rover's county list as the in-state window reads it when it logs a contact once for each
// further county of a county line. The rover county dialog keeps the list; the window only reads
// how many entries it holds and each entry. Reading an entry may fail with an Error.
#pragma once

#include <QString>

namespace qf {

class RoverCountyList {
public:
    virtual ~RoverCountyList() = default;
    virtual int count() const = 0;
    virtual QString entry(int position) const = 0;  // 0 to count() - 1
};

}  // namespace qf
