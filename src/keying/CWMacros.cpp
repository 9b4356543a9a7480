#include "keying/CWMacros.h"

#include "logstore/ReferenceTables.h"

namespace qf {

QString ReplaceCWMacros(QString message, CWMacroInputs in) {
    message = ReplaceMarker(message, QLatin1Char('$'), [&] { return in.MacroCall; });
    message = ReplaceMarker(message, QLatin1Char('#'), [] { return QString(); });
    message = ReplaceMarker(message, QLatin1Char('*'), [&] {
        if (in.MacroRstSent == QLatin1String("599") || in.MacroRstSent.isEmpty()) {
            in.MacroRstSent = QStringLiteral("5NN");
        }
        return in.MacroRstSent;
    });
    message = ReplaceMarker(message, QLatin1Char('^'),
                            [&] { return AbbreviateCountyForCW(in.MacroCounty, in.counties); });
    return message;
}

QString AbbreviateCountyForCW(const QString& county, const CountyTable& counties) {
    if (county.isEmpty()) return county;
    for (int r = 1; r <= counties.CountyCount && r < static_cast<int>(counties.rows.size()); ++r) {
        const CountyRow& row = counties[r];
        if (row.CountyAbbrev.compare(county, Qt::CaseInsensitive) != 0) continue;
        if (!row.CountyName.isEmpty() && row.CountyName.size() < county.size())
            return row.CountyName;
        return county;
    }
    return county;
}

}  // namespace qf
