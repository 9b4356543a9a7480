#include "startup/SharedPreferences.h"

#include "platform/Dialogs.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/System.h"

#include <QRegularExpression>

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

// What the file's declaration line names. Our own files and a file without a declaration are
// UTF-8 (XML's default); any other ASCII-based set is written in ASCII with character references.
enum class Encoding { Utf8, Latin1, OtherAscii };

Encoding declaredEncoding(const QByteArray& text) {
    if (!text.startsWith("<?xml")) return Encoding::Utf8;
    const qsizetype end = text.indexOf("?>");
    static const QRegularExpression named(QStringLiteral("encoding\\s*=\\s*([\"'])([^\"']*)\\1"));
    const QRegularExpressionMatch m =
        named.match(QString::fromLatin1(text.left(end < 0 ? 0 : end)));
    if (!m.hasMatch()) return Encoding::Utf8;
    QString name = m.captured(2).toLower();
    name.remove(QRegularExpression(QStringLiteral("[-_ ]")));
    if (name == QLatin1String("utf8")) return Encoding::Utf8;
    for (const char* latin1 :
         {"iso88591", "latin1", "l1", "isolatin1", "csisolatin1", "isoir100", "cp819", "ibm819"}) {
        if (name == QLatin1String(latin1)) return Encoding::Latin1;
    }
    return Encoding::OtherAscii;
}

// A value in the file's encoding; a character it cannot hold becomes a character reference,
// which every XML reader turns back into that character.
QByteArray encodeValue(const QString& value, Encoding encoding) {
    if (encoding == Encoding::Utf8) return value.toUtf8();
    const char32_t highest = encoding == Encoding::Latin1 ? 0xFF : 0x7F;
    QByteArray out;
    for (const char32_t c : value.toUcs4()) {
        if (c <= highest) {
            out += char(c);
        } else {
            out += "&#" + QByteArray::number(quint32(c)) + ';';
        }
    }
    return out;
}

}  // namespace

void SharedPreferences::LoadSharedPreferences(const QString& path) {
    path_ = path;
    text_ = kXmlDeclaration.toUtf8();
    Files& files = platform_.files;
    if (!files.fileExists(path)) return;
    try {
        // Kept as bytes: another program's text in another encoding is written back as it was.
        QByteArray t = files.readAll(path);
        // Only a real final line break is cut: another program's file may not end with one.
        if (t.endsWith("\r\n")) {
            t.chop(2);
        } else if (t.endsWith('\n')) {
            t.chop(1);
        }
        if (!t.isEmpty()) text_ = t;
    } catch (const Error&) {
        // An unreadable file must not stop the start: begin again from the declaration.
    }
}

void SharedPreferences::SaveSharedPreferences(const QString& path) {
    path_ = path;
    platform_.files.rewriteAtomic(path, text_ + "\r\n");
}

void SharedPreferences::SetSharedPreference(QString& name, const QString& value, quint8 save) {
    name = name.toUpper();
    const QByteArray open = '<' + name.toUtf8() + '>';
    const QByteArray close = "</" + name.toUtf8() + '>';
    const QByteArray v = encodeValue(escapeXml(value), declaredEncoding(text_));
    // The first element of that name closed on its own line takes the value; one left unclosed
    // is not this program's to mend, so it stays as it is and is passed over.
    bool set = false;
    for (qsizetype p = text_.indexOf(open); p >= 0 && !set; p = text_.indexOf(open, p + 1)) {
        const qsizetype e = p + open.size();
        qsizetype lineEnd = e;
        while (lineEnd < text_.size() && text_[lineEnd] != '\r' && text_[lineEnd] != '\n') ++lineEnd;
        const qsizetype q = text_.indexOf(close, e);
        if (q >= 0 && q + close.size() <= lineEnd) {
            text_ = text_.left(e) + v + text_.mid(q);
            set = true;
        }
    }
    if (!set) text_ += "\r\n" + open + v + close;
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
        for (const QString& f : {base + c, base + c + s}) {
            if (found(f)) continue;
            CreateFolder(f, 1, platform);
            if (found(f)) continue;
            // The start must not go on without the folders every later step reads and writes:
            // it ends here, as it does with no home at all.
            platform.dialogs.ok(
                QStringLiteral("The folder %1 could not be created, so there is no place to keep "
                               "this program's files. Make it possible to create that folder "
                               "and start the program again.")
                    .arg(files.resolve(f)),
                QStringLiteral("User Access Directory Error"), Icon::Critical);
            platform.ending.endNow(1);
        }
        return files.resolve(base + c);
    };

    const QString profile = platform.environment.userProfile();
    if (profile.isEmpty()) {
        // No home to keep the program's folders in: nothing is created, least of all at the
        // root of the file system.
        platform.dialogs.ok(QStringLiteral("Neither HOME nor USERPROFILE is set, so there is no user "
                                           "folder to keep this program's files in. Nothing was "
                                           "created. Set HOME and start the program again."),
                            QStringLiteral("User Access Directory Error"), Icon::Critical);
        platform.ending.endNow(1);
    }
    // The silent creation of a "My Documents" folder belongs to another platform and is not
    // done here; an existing one is still used first.
    if (found(profile + QStringLiteral("/My Documents"))) {
        return makeUnder(files.resolve(profile + QStringLiteral("/My Documents")));
    }
    if (found(profile + QStringLiteral("/Documents"))) {
        return makeUnder(files.resolve(profile + QStringLiteral("/Documents")));
    }
    const QString underProfile = makeUnder(profile);
    // No APPDATA and no HOME to find it from: the profile's folder is the one, never the root.
    const QString appData = platform.environment.appData();
    if (appData.isEmpty()) return underProfile;
    // A fresh home may have no configuration folder yet; the program's folders go inside it.
    if (!found(appData)) CreateFolder(appData, 0, platform);
    return makeUnder(appData);
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
