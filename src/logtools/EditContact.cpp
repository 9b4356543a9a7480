#include "logtools/EditContact.h"

#include "common/Formats.h"
#include "common/KeyFilters.h"
#include "logging/SPCTable.h"

#include <algorithm>
#include <array>

namespace qf {

namespace {

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isDigit(int k) {
    return k >= '0' && k <= '9';
}

}  // namespace

QString& EditedContact::operator[](EditField f) {
    switch (f) {
        case EditField::Call:
            return call;
        case EditField::NameRcvd:
            return nameRcvd;
        case EditField::CountyRcvd:
            return countyRcvd;
        case EditField::NameSent:
            return nameSent;
        case EditField::SPC:
            return spc;
        case EditField::Date:
            return date;
        case EditField::Time:
            return time;
        case EditField::Mode:
            return mode;
        case EditField::Band:
            return band;
        case EditField::CountySent:
            return countySent;
    }
    return call;
}

void EditKeyFilter(EditKeys keys, int& key) {
    switch (keys) {
        case EditKeys::Letters:
            UpperCaseKey(key);
            break;
        case EditKeys::Date:
            if (!(key == 8 || key == '/' || isDigit(key))) key = 0;
            break;
        case EditKeys::Time:
            if (!(key == 8 || key == ':' || isDigit(key))) key = 0;
            break;
        case EditKeys::State:
        case EditKeys::County:
        case EditKeys::CountySent:
            break;
    }
}

bool IsEditBand(const QString& text) {
    static const std::array<const char*, 10> bands = {"160", "80", "40", "20",   "15",
                                                      "10",  "6",  "2",  "1.25", "70"};
    for (const char* b : bands) {
        if (same(text, QLatin1String(b))) return true;
    }
    return false;
}

bool IsEditMode(const QString& text) {
    return same(text, QStringLiteral("CW")) || same(text, QStringLiteral("PH")) ||
           same(text, QStringLiteral("DG"));
}

bool ReadsAsEditDate(const QString& text) {
    return parseStoredDate(text).has_value();
}

bool ReadsAsEditTime(const QString& text) {
    return parseStoredTime(text).has_value() || parseStoredDate(text).has_value();
}

bool PassesEditCountyCheck(const CountyTable& counties, const QString& text, bool emptyAccepted) {
    if (text.isEmpty()) return emptyAccepted;
    return IsKnownCounty(counties, text);
}

bool PassesStateCodeCheck(const SPCTable& spc, const QString& text) {
    return text.size() != 2 || IsKnownSection(spc, text);
}

std::vector<int> EditDuplicates(const QSOLog& log, int row, const EditedContact& edit,
                                Exchange exchange) {
    std::vector<int> rows;
    const int last = std::min(log.QSOCount, kLogCapacity);
    for (int i = 1; i <= last; ++i) {
        if (i == row) continue;
        const QSORecord& q = log[i];
        if (same(q.Call, edit.call) && same(q.Band, edit.band) && same(q.Mode, edit.mode) &&
            same(q.CountyRcvd, edit.countyRcvd) &&
            (exchange == Exchange::OutOfState || same(q.CountySent, edit.countySent))) {
            rows.push_back(i);
        }
    }
    return rows;
}

void WriteEdit(QSORecord& record, const EditedContact& edit, Exchange exchange) {
    if (exchange == Exchange::InState) {
        record.Call = edit.call;
        record.NameSent = edit.nameSent;
        record.SPC = edit.spc;
        record.NameRcvd = edit.nameRcvd;
        record.CountyRcvd = edit.countyRcvd;
        record.CountySent = edit.countySent;
    } else {
        record.Call = trimBlanks(edit.call);
        record.NameSent = trimBlanks(edit.nameSent);
        record.CountyRcvd = trimBlanks(edit.countyRcvd);
        record.NameRcvd = trimBlanks(edit.nameRcvd);
    }
    record.QSODate = edit.date;
    record.QSOTime = edit.time;
    record.Mode = edit.mode;
    record.Band = edit.band;
}

QString FieldOf(const QSORecord& record, EditField field) {
    switch (field) {
        case EditField::Call:
            return record.Call;
        case EditField::NameRcvd:
            return record.NameRcvd;
        case EditField::CountyRcvd:
            return record.CountyRcvd;
        case EditField::NameSent:
            return record.NameSent;
        case EditField::SPC:
            return record.SPC;
        case EditField::Date:
            return record.QSODate;
        case EditField::Time:
            return record.QSOTime;
        case EditField::Mode:
            return record.Mode;
        case EditField::Band:
            return record.Band;
        case EditField::CountySent:
            return record.CountySent;
    }
    return {};
}

}  // namespace qf
