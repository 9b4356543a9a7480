#include "startup/SharedPreferences.h"

#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/System.h"

namespace qf {

namespace {

QString escapeXml(const QString& v) {
    QString out;
    out.reserve(v.size());
    for (const QChar c : v) {
        if (c == QLatin1Char('&')) {
            out += QStringLiteral("&amp;");
        } else if (c == QLatin1Char('<')) {
            out += QStringLiteral("&lt;");
        } else if (c == QLatin1Char('>')) {
            out += QStringLiteral("&gt;");
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

void SharedPreferences::LoadSharedPreferences(const QString& path) {
    path_ = path;
    text_ = kXmlDeclaration;
    Files& files = platform_.files;
    if (!files.fileExists(path)) return;
    try {
        QString t = QString::fromUtf8(files.readAll(path));
        // Only a real final line break is cut: another program's file may not end with one.
        if (t.endsWith(QLatin1String("\r\n"))) {
            t.chop(2);
        } else if (t.endsWith(QLatin1Char('\n'))) {
            t.chop(1);
        }
        if (!t.isEmpty()) text_ = t;
    } catch (const Error&) {
        // An unreadable file must not stop the start: begin again from the declaration.
    }
}

void SharedPreferences::SaveSharedPreferences(const QString& path) {
    path_ = path;
    platform_.files.rewriteAtomic(path, (text_ + QStringLiteral("\r\n")).toUtf8());
}

void SharedPreferences::SetSharedPreference(QString& name, const QString& value, quint8 save) {
    name = name.toUpper();
    const QString open = QLatin1Char('<') + name + QLatin1Char('>');
    const QString close = QStringLiteral("</") + name + QLatin1Char('>');
    const QString v = escapeXml(value);
    const qsizetype p = text_.indexOf(open);
    if (p >= 0) {
        const qsizetype e = p + open.size();
        const qsizetype q = text_.indexOf(close, e);
        if (q >= 0) {
            text_ = text_.left(e) + v + text_.mid(q);
        } else {
            // No closing tag: close the element after the new value and keep everything else.
            text_ = text_.left(e) + v + close + text_.mid(e);
        }
    } else {
        text_ += QStringLiteral("\r\n") + open + v + close;
    }
    if (save == 1) SaveSharedPreferences(path_);
}

void CreateFolder(const QString& path, quint8 reportFailure, Platform& platform) {
    if (path.isEmpty()) {
        platform.dialogs.ok(QStringLiteral("Invalid Path"),
                            QStringLiteral("Unable to Create Directory"));
        return;
    }
    try {
        // A file or folder of that name (any case) already there: nothing to do.
        if (platform.files.entryExists(path)) return;
        platform.files.createFolder(path);
    } catch (const Error& e) {
        if (reportFailure == 1) {
            platform.dialogs.ok(e.text() + QStringLiteral("  ") + path,
                                QStringLiteral("Unable to create directory."));
        }
    }
}

QString GetUserDataFolder(const QString& companyFolder, const QString& subFolder,
                          Platform& platform) {
    Files& files = platform.files;
    const QString c = Files::native(companyFolder);
    const QString s = Files::native(subFolder);
    auto found = [&](const QString& p) {
        try {
            return files.folderExists(p) || files.fileExists(p);
        } catch (const Error& e) {
            platform.dialogs.ok(e.text(), QStringLiteral("User Access Directory Error"));
            return false;
        }
    };
    auto makeUnder = [&](const QString& base) {
        if (!found(base + c)) CreateFolder(base + c, 1, platform);
        if (!found(base + c + s)) CreateFolder(base + c + s, 1, platform);
        return files.resolve(base + c);
    };

    const QString profile = platform.environment.userProfile();
    if (profile.isEmpty()) {
        const QString base = Files::native(QStringLiteral("c:\\My Documents"));
        if (!found(base)) CreateFolder(base, 1, platform);
        return makeUnder(base);
    }
    // The silent creation of a "My Documents" folder belongs to another platform and is not
    // done here; an existing one is still used first.
    if (found(profile + QStringLiteral("/My Documents"))) {
        return makeUnder(files.resolve(profile + QStringLiteral("/My Documents")));
    }
    if (found(profile + QStringLiteral("/Documents"))) {
        return makeUnder(files.resolve(profile + QStringLiteral("/Documents")));
    }
    makeUnder(profile);
    return makeUnder(platform.environment.appData());
}

QString FileNameCall(const QString& call) {
    qsizetype n = 0;
    while (n < call.size()) {
        const char16_t ch = call.at(n).unicode();
        if (!((ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'Z'))) break;
        ++n;
    }
    return n == 0 ? QStringLiteral("YourCall") : call.left(n);
}

}  // namespace qf
