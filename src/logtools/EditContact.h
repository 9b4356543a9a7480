// The rules of the edit-contact dialogs, without a widget: which keys each box takes, the checks
// a box runs when it is left, the duplicate scan of "Done" (every other record, the edited one
// skipped) and the write-back into the edited row. The two dialogs (in state and out of state)
// pass their own exchange; the windows only gather their boxes and show the answer.
#pragma once

#include "logging/ContactRules.h"
#include "logstore/QsoLog.h"
#include "logstore/ReferenceTables.h"

#include <QString>

#include <vector>

namespace qf {

struct SPCTable;

// The fields an edit dialog shows, one box each (the in-state dialog has all ten, the
// out-of-state one has neither the SPC nor the county sent).
enum class EditField {
    Call,
    NameRcvd,
    CountyRcvd,
    NameSent,
    SPC,
    Date,
    Time,
    Mode,
    Band,
    CountySent
};

// How a box filters typed keys. Every box refuses the double quote and runs "Done" on Enter.
enum class EditKeys {
    Letters,     // every letter upper-cased
    Date,        // Backspace, "/" and digits only
    Time,        // Backspace, ":" and digits only
    State,       // the St/Prv/Country type-ahead
    County,      // county type-ahead, every letter upper-cased
    CountySent,  // county type-ahead, letters upper-cased at the start or after a blank only
};

// The check a box runs when it loses the focus.
enum class LeaveCheck { None, Band, Mode, Date, Time, CountyOrEmpty, County };

// The boxes' texts as "Done" reads them, untrimmed.
struct EditedContact {
    QString call, nameRcvd, countyRcvd, nameSent, spc, date, time, mode, band, countySent;
    QString& operator[](EditField f);
};

// The Letters, Date and Time filters; the type-ahead boxes take every key here (their rule runs
// after). A refused key becomes 0. Enter and the double quote are the caller's.
void EditKeyFilter(EditKeys keys, int& key);

// The leave checks. Bands and modes ignore case; a date must read as one, a time as a time or a
// date (the stored text is kept as typed); a county is compared untrimmed, ignoring case.
bool IsEditBand(const QString& text);
bool IsEditMode(const QString& text);
bool ReadsAsEditDate(const QString& text);
bool ReadsAsEditTime(const QString& text);
bool PassesEditCountyCheck(const CountyTable& counties, const QString& text, bool emptyAccepted);
// In state: a text of exactly two characters must be one of the state and province codes;
// anything else (empty, one letter, a country name) passes unchecked.
bool PassesStateCodeCheck(const SPCTable& spc, const QString& text);

// Every record other than `row` whose call, band, mode and county received (in state also the
// county sent) equal the boxes, ignoring case, in log order. Rows outside the log are not read.
std::vector<int> EditDuplicates(const QSOLog& log, int row, const EditedContact& edit,
                                Exchange exchange);

// Writes the boxes into the record: in state every field as typed; out of state the call, the
// names and the county without leading and trailing blanks. Other fields keep their values.
void WriteEdit(QSORecord& record, const EditedContact& edit, Exchange exchange);

// The record's text for each field, as the dialog fills its boxes.
QString FieldOf(const QSORecord& record, EditField field);

}  // namespace qf
