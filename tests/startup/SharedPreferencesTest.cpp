#include "platform/Error.h"
#include "startup/SharedPreferences.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace qf {
namespace {

class SharedPreferencesTest : public ::testing::Test {
protected:
    QString file() const { return t.work() + QStringLiteral("/SharedUserPreferences.xml"); }
    test::TestApp t;
    SharedPreferences prefs{t.app().platform()};
};

TEST_F(SharedPreferencesTest, FirstSaveWritesTheDeclarationAndTheElements) {
    prefs.LoadSharedPreferences(file());
    QString name = QStringLiteral("own_call");
    prefs.SetSharedPreference(name, QStringLiteral("K0ABC"), 0);
    EXPECT_EQ(name, QStringLiteral("OWN_CALL"));
    QString county = QStringLiteral("OWN_COUNTY");
    prefs.SetSharedPreference(county, QStringLiteral("HEN"), 1);
    EXPECT_EQ(t.readFile(file()),
              QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OWN_CALL>K0ABC</OWN_CALL>\r\n"
                         "<OWN_COUNTY>HEN</OWN_COUNTY>\r\n"));
}

TEST_F(SharedPreferencesTest, SetKeepsPlacesAndOtherProgramsElements) {
    const QByteArray before =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<own_call>lower</own_call>\r\n"
        "<OWN_CALL>OLD</OWN_CALL>\r\n<OTHER>x &amp; y</OTHER>\r\n<OWN_CALL>SECOND</OWN_CALL>\r\n";
    t.writeFile(QStringLiteral("SharedUserPreferences.xml"), before);
    prefs.LoadSharedPreferences(file());
    // Loaded and saved unchanged, the file comes back byte for byte.
    prefs.SaveSharedPreferences(file());
    EXPECT_EQ(t.readFile(file()), before);

    QString call = QStringLiteral("Own_Call"), grid = QStringLiteral("OWN_GRID");
    prefs.SetSharedPreference(call, QStringLiteral("NEW"), 0);
    prefs.SetSharedPreference(grid, QStringLiteral("A&B <C>"), 1);
    EXPECT_EQ(t.readFile(file()),
              QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<own_call>lower</own_call>\r\n"
                         "<OWN_CALL>NEW</OWN_CALL>\r\n<OTHER>x &amp; y</OTHER>\r\n"
                         "<OWN_CALL>SECOND</OWN_CALL>\r\n<OWN_GRID>A&amp;B &lt;C&gt;</OWN_GRID>\r\n"));
}

TEST_F(SharedPreferencesTest, OddFilesLoseNothing) {
    struct Case {
        QByteArray file;
        QByteArray textAfterLoad;
    };
    const QByteArray decl = kXmlDeclaration.toUtf8();
    for (const Case& c : {Case{"<A>1</A>", "<A>1</A>"},   // no final CR LF
                          Case{"<A>1</A>\n", "<A>1</A>"},  // LF only
                          Case{"", decl},                 // empty
                          Case{"x", "x"}}) {              // one character
        t.writeFile(QStringLiteral("SharedUserPreferences.xml"), c.file);
        prefs.LoadSharedPreferences(file());
        EXPECT_EQ(prefs.text(), c.textAfterLoad) << c.file.constData();
    }
}

TEST_F(SharedPreferencesTest, OnlyTheElementBeingSetIsTouched) {
    // An element left unclosed on its line belongs to whoever wrote it: it stays as it is, the
    // lines after it too, and the value goes into a new element (which later sets then find).
    const QByteArray latin1Other = "<OTHER>Malm\xf6</OTHER>";  // another program's 8-bit text
    struct Case {
        const char* what;
        QByteArray before;
        QByteArray after;
    };
    const Case cases[] = {
        {"unclosed, nothing after", "<A>old\r\n<B>2</B>", "<A>old\r\n<B>2</B>\r\n<A>new</A>"},
        {"unclosed, closed one later", "<A>old\r\n<B>2</B>\r\n<A>x</A>\r\n<C>3</C>",
         "<A>old\r\n<B>2</B>\r\n<A>new</A>\r\n<C>3</C>"},
        {"closing tag of the next line", "<A>\r\n</A>\r\n<B>2</B>",
         "<A>\r\n</A>\r\n<B>2</B>\r\n<A>new</A>"},
        {"bytes that are not UTF-8", latin1Other + "\r\n<A>old</A>\r\n<D>\xe9t\xe9</D>",
         latin1Other + "\r\n<A>new</A>\r\n<D>\xe9t\xe9</D>"},
    };
    for (const Case& c : cases) {
        t.writeFile(QStringLiteral("SharedUserPreferences.xml"), c.before + "\r\n");
        prefs.LoadSharedPreferences(file());
        QString a = QStringLiteral("A");
        prefs.SetSharedPreference(a, QStringLiteral("new"), 1);
        EXPECT_EQ(t.readFile(file()), c.after + "\r\n") << c.what;
        // Set again: the element written the first time takes it; nothing else grows.
        prefs.SetSharedPreference(a, QStringLiteral("new"), 1);
        EXPECT_EQ(t.readFile(file()), c.after + "\r\n") << c.what;
    }
}

TEST_F(SharedPreferencesTest, ValuesAreWrittenInTheFilesOwnEncoding) {
    // "é" fits Latin-1, "Ł" and "ź" do not. A set that cannot hold a character writes a
    // character reference, which any XML reader turns back into it.
    struct Case {
        const char* what;
        const char* file;  // before the set; nullptr: no file yet
        QByteArray name;   // "René"
        QByteArray city;   // "Łódź"
    };
    const Case cases[] = {
        {"a file this program creates", nullptr, "Ren\xc3\xa9",
         "\xc5\x81\xc3\xb3"
         "d\xc5\xba"},
        {"no declaration: XML's default", "<OTHER>1</OTHER>", "Ren\xc3\xa9",
         "\xc5\x81\xc3\xb3"
         "d\xc5\xba"},
        {"Latin-1 declared", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", "Ren\xe9",
         "&#321;\xf3"
         "d&#378;"},
        {"another 8-bit set declared", "<?xml version='1.0' encoding='windows-1252'?>", "Ren&#233;",
         "&#321;&#243;d&#378;"},
    };
    for (const Case& c : cases) {
        QFile::remove(file());
        if (c.file)
            t.writeFile(QStringLiteral("SharedUserPreferences.xml"), QByteArray(c.file) + "\r\n");
        prefs.LoadSharedPreferences(file());
        const QByteArray before = prefs.text();
        QString name = QStringLiteral("OWN_NAME"), city = QStringLiteral("OWN_CITY");
        prefs.SetSharedPreference(name, QStringLiteral("Ren\u00e9"), 0);
        prefs.SetSharedPreference(city, QStringLiteral("\u0141\u00f3d\u017a"), 1);
        EXPECT_EQ(t.readFile(file()), before + "\r\n<OWN_NAME>" + c.name +
                                          "</OWN_NAME>\r\n<OWN_CITY>" + c.city + "</OWN_CITY>\r\n")
            << c.what;
    }
}

TEST_F(SharedPreferencesTest, ASaveFailurePassesToTheCaller) {
    prefs.LoadSharedPreferences(t.root() + QStringLiteral("/missing/folder/prefs.xml"));
    QString name = QStringLiteral("OWN_CALL");
    EXPECT_THROW(prefs.SetSharedPreference(name, QStringLiteral("X"), 1), Error);
}

TEST(FileNameCallTest, LeadingDigitsAndCapitals) {
    const char* cases[][2] = {{"K0ABC", "K0ABC"}, {"K0ABC/R", "K0ABC"}, {"VE3XYZ/M", "VE3XYZ"},
                              {"k0abc", "YourCall"}, {"/P", "YourCall"}, {"", "YourCall"},
                              {"W1aw", "W1"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FileNameCall(QString::fromLatin1(c[0])), QString::fromLatin1(c[1])) << c[0];
    }
}

TEST(UserFoldersTest, DocumentsFolderRules) {
    struct Case {
        const char* existing;  // folder present in the home, or nullptr
        const char* expected;  // company folder, relative to the root
        bool appDataToo;
        bool configThere = true;  // a fresh home has no configuration folder yet
    };
    for (const Case& c : {Case{"Documents", "home/Documents/Ardlow Software", false},
                          Case{"My Documents", "home/My Documents/Ardlow Software", false},
                          Case{"documents", "home/documents/Ardlow Software", false},
                          Case{nullptr, "home/.config/Ardlow Software", true},
                          Case{nullptr, "home/.config/Ardlow Software", true, false}}) {
        test::TestApp t({{28800, 16200}, false});
        if (c.existing) QDir().mkpath(t.home() + QLatin1Char('/') + QLatin1String(c.existing));
        if (c.configThere) QDir().mkpath(t.home() + QStringLiteral("/.config"));
        const QString company =
            GetUserDataFolder(QStringLiteral("\\Ardlow Software"), QStringLiteral("\\Shared"),
                              t.app().platform());
        EXPECT_EQ(company, t.root() + QLatin1Char('/') + QLatin1String(c.expected));
        EXPECT_TRUE(QFileInfo(company + QStringLiteral("/Shared")).isDir()) << c.expected;
        // Without a documents folder the folders are made under the home as well.
        EXPECT_EQ(QFileInfo(t.home() + QStringLiteral("/Ardlow Software/Shared")).isDir(),
                  c.appDataToo);
        EXPECT_TRUE(t.dialogs().shown().empty());
    }
}

TEST(UserFoldersTest, NoHomeEndsAtOnceCreatingNothing) {
    test::TestApp t({{28800, 16200}, true, false});
    EXPECT_THROW(GetUserDataFolder(QStringLiteral("\\Ardlow Software"), QStringLiteral("\\Shared"),
                                   t.app().platform()),
                 ProgramEnded);
    EXPECT_TRUE(t.ending().ended());
    EXPECT_EQ(t.ending().code(), 1);
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_TRUE(t.dialogs().messages()[0].text.startsWith(
        QStringLiteral("Neither HOME nor USERPROFILE is set")));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/My Documents")));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/Ardlow Software")));
    EXPECT_EQ(QDir(t.root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("home"), QStringLiteral("work")}));
    EXPECT_EQ(QDir(t.home()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("Documents")});

    // USERPROFILE alone, with no documents folder and no APPDATA: the folders go under it.
    QDir(t.home()).rmdir(QStringLiteral("Documents"));
    MapEnvironment profileOnly({{QStringLiteral("USERPROFILE"), t.home()}});
    Platform& p = t.app().platform();
    Platform withProfile{p.clock, p.dialogs, p.screen, p.files, p.registry, p.ending, p.beeper,
                         profileOnly, p.serialPorts, p.keyingLines, p.winKey,
                         p.tcpClients,
                         p.packetEngine, p.wavePlayers};
    EXPECT_EQ(GetUserDataFolder(QStringLiteral("\\Ardlow Software"), QStringLiteral("\\Shared"),
                                withProfile),
              t.home() + QStringLiteral("/Ardlow Software"));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/Ardlow Software")));
}

TEST(UserFoldersTest, CreateFolderReportsOnlyWhenAsked) {
    test::TestApp t;
    t.writeFile(QStringLiteral("BACKUP"), "a file of that name");
    CreateFolder(t.work() + QStringLiteral("/backup"), 1, t.app().platform());
    EXPECT_TRUE(QFileInfo(t.work() + QStringLiteral("/BACKUP")).isFile());  // left alone
    EXPECT_TRUE(t.dialogs().shown().empty());

    CreateFolder(t.root() + QStringLiteral("/no/parent"), 0, t.app().platform());
    EXPECT_TRUE(t.dialogs().shown().empty());
    CreateFolder(t.root() + QStringLiteral("/no/parent"), 1, t.app().platform());
    ASSERT_EQ(t.dialogs().messages().size(), 1u);
    EXPECT_EQ(t.dialogs().messages()[0].title, QStringLiteral("Unable to create directory."));
    EXPECT_TRUE(t.dialogs().messages()[0].text.endsWith(QStringLiteral("  ") + t.root() +
                                                        QStringLiteral("/no/parent")));
    CreateFolder(QString(), 1, t.app().platform());
    EXPECT_EQ(t.dialogs().messages().back().text, QStringLiteral("Invalid Path"));
    EXPECT_EQ(t.dialogs().messages().back().title, QStringLiteral("Unable to Create Directory"));
}

}  // namespace
}  // namespace qf
