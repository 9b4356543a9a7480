#include "platform/Registry.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace qf {

Registry::Registry(QString iniPath) : path_(std::move(iniPath)) {
    if (path_.isEmpty()) {
        path_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                QStringLiteral("/Quillfen/registry.ini");
    }
}

QString Registry::get(const QString& app, const QString& section, const QString& key,
                      const QString& defaultValue) const {
    QSettings s(path_, QSettings::IniFormat);
    return s.value(app + QLatin1Char('/') + section + QLatin1Char('/') + key, defaultValue)
        .toString();
}

void Registry::save(const QString& app, const QString& section, const QString& key,
                    const QString& value) {
    QSettings s(path_, QSettings::IniFormat);
    s.setValue(app + QLatin1Char('/') + section + QLatin1Char('/') + key, value);
    s.sync();
}

}  // namespace qf
