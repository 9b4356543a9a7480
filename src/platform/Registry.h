// Registry: per-user values kept under an application name, a section and a key, as the
// windows save them. Backed by one INI file through QSettings.
#pragma once

#include <QString>

namespace qf {

class Registry {
public:
    // iniPath empty: the per-user file ~/.config/Quillfen/registry.ini.
    explicit Registry(QString iniPath = {});
    QString get(const QString& app, const QString& section, const QString& key,
                const QString& defaultValue = {}) const;
    // Raises an Error with the system's reason when the file cannot be written: the value then
    // lasts only until the program ends, and the caller tells the operator so.
    void save(const QString& app, const QString& section, const QString& key,
              const QString& value);
    const QString& path() const { return path_; }

private:
    QString path_;
};

}  // namespace qf
