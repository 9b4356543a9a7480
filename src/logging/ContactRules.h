// The contest's entry rules, without a widget: which fields are missing, the section and county
// checks, the duplicate rule with its rover exception, the earlier contacts that fill empty
// boxes, the partial-duplicate list and the points. The logging windows gather their boxes, call
// these with their own arguments and show the answer; each twin passes its own `Exchange`.
#pragma once

#include "logstore/QsoLog.h"
#include "logstore/ReferenceTables.h"
#include "logstore/Tallies.h"

#include <QString>

#include <optional>
#include <vector>

namespace qf {

class LogIndex;
struct SPCTable;

// The exchange a window takes. Out of state: call, name and county, the county always required.
// In state: call, name, state/province/country and, for the contest state only, the county;
// a contact is also told apart by the county it was sent from.
enum class Exchange { OutOfState, InState };

// What the entry boxes hold at the moment of a check.
struct EntryTexts {
    QString call;
    QString name;
    QString spc;     // St/Prv/Country (in-state only)
    QString county;
};

enum class EntryBox { Call, Name, Spc, County };
struct FieldFailure {
    EntryBox box;
    QString message;
};

// The required-field tests in their order, each failure once. The window beeps for each; the
// last one's message and box are what the operator sees.
std::vector<FieldFailure> MissingFields(const EntryTexts& entry, Exchange exchange,
                                        const QString& contestState);

// A two-letter state or province code of the table (rows 1 to SPCCount).
bool IsKnownSection(const SPCTable& spc, const QString& code);
// A county abbreviation of the table (rows 1 to CountyCount).
bool IsKnownCounty(const CountyTable& counties, const QString& county);
QString BadCountyText(const QString& county);

// The duplicate rule. Walking the log oldest first, every contact with the call fills the empty
// county box (in state only while the St/Prv/Country box holds the contest state, see FillRule)
// and, in state, the empty St/Prv/Country box; the first contact with the same call, band, mode and county
// received (and, in state, sent from the same own county) is the duplicate. So a rover on either
// side may be worked again from or in another county.
struct DupeQuery {
    Exchange exchange = Exchange::OutOfState;
    EntryTexts entry;      // call, spc and county are read
    QString band;
    QString mode;
    QString ownCounty;     // in state: CountySent must equal it
    QString contestState;  // in state: the county fill's condition
};
struct DupeAnswer {
    int row = 0;                // the earlier contact it repeats; 0 for none
    QString county;             // the county box after the fill
    QString spc;                // the St/Prv/Country box after the fill
    bool countyFilled = false;  // the box took a value (the window selects it)
    bool spcFilled = false;
};
DupeAnswer FindDuplicate(const QSOLog& log, const DupeQuery& query);
// The same answer through the index of calls (the windows' path; the index in step with the log).
DupeAnswer FindDuplicate(const LogIndex& index, const QSOLog& log, const DupeQuery& query);

// One earlier contact fills the boxes that are still empty, in the windows' order: county,
// St/Prv/Country, name. An empty value leaves its box empty, so a later contact can still fill it.
struct FillRule {
    bool spc = false;
    bool name = false;
    // When set, the county is filled only while the St/Prv/Country box holds this code (or is
    // empty and takes it from this same contact).
    std::optional<QString> countyOnlyFor;
};
struct Filled {
    bool county = false, spc = false, name = false;
};
Filled FillFromEarlier(EntryTexts& boxes, const QSORecord& earlier, const FillRule& rule);

// The out-of-state window's look back when the call box is left: the contacts with the call in
// log order up to where the scan ends, the rows that repeat band and mode (the rover warning),
// and the boxes after the fill. Without the full list the scan ends at the first warning.
struct EarlierContacts {
    std::vector<int> rows;
    std::vector<int> warnings;
    EntryTexts boxes;
};
EarlierContacts ScanEarlierContacts(const QSOLog& log, const EntryTexts& boxes, const QString& band,
                                    const QString& mode, bool listAll);
EarlierContacts ScanEarlierContacts(const LogIndex& index, const QSOLog& log,
                                    const EntryTexts& boxes, const QString& band,
                                    const QString& mode, bool listAll);

// The status texts that name an earlier contact.
QString DuplicateText(const QSORecord& q, int row, Exchange exchange);
QString RoverWarningText(const QSORecord& q, int row, Exchange exchange);

// The calls logged on this band and mode (and, when given, sent from this own county) that begin
// with the typed text, newest first, as the possible-duplicates line shows them. The scan stops
// once the text passes 100 characters.
QString PartialDupeList(const QSOLog& log, const QString& typed, const QString& band,
                        const QString& mode, const std::optional<QString>& ownCounty = {});
// The same answer through the index's band and mode lists (the windows' path). A filter added to
// the plain walk is added here too, with the same arguments after the index.
QString PartialDupeList(const LogIndex& index, const QSOLog& log, const QString& typed,
                        const QString& band, const QString& mode,
                        const std::optional<QString>& ownCounty = {});

// Two points for every contact, whatever the mode, and one in the count of its mode: "PH", "CW",
// and "DG" for anything else.
void CountContact(Tallies& tallies, const QString& mode);

}  // namespace qf
