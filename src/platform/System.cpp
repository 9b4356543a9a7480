#include "platform/System.h"

#include "platform/Error.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace qf {

void ProcessEnding::endNow(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}

void QtBeeper::beep() { QApplication::beep(); }

QString Environment::userProfile() const {
    const QString p = value(QStringLiteral("USERPROFILE"));
    return p.isEmpty() ? value(QStringLiteral("HOME")) : p;
}

QString Environment::appData() const {
    const QString a = value(QStringLiteral("APPDATA"));
    if (!a.isEmpty()) return a;
    const QString home = value(QStringLiteral("HOME"));
    return home.isEmpty() ? QString() : home + QStringLiteral("/.config");
}

QString ProcessEnvironment::value(const QString& name) const { return qEnvironmentVariable(name.toUtf8().constData()); }

}  // namespace qf
