#include "startup/frmStationID.h"

#include "app/App.h"
#include "app/Forms.h"
#include "common/KeyFilters.h"
#include "common/QuotedFieldLine.h"
#include "common/ScreenScaling.h"
#include "logging/Infrm.h"
#include "logging/Outfrm.h"
#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "startup/SharedPreferences.h"
#include "startup/StationSettings.h"

#include <QPainter>
#include <QRegularExpression>

#include <cmath>

namespace qf {

namespace {

const QString kLoadFailureText = QStringLiteral("Error opening file");
const QString kLoadFailureTitle = QStringLiteral("Error opeining file");

// A sign, digits, an optional point and digits: what the number boxes and the offset question
// accept as a number.
bool isNumeric(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    return re.match(text.trimmed()).hasMatch();
}

// The value of a numeric text as a 4-byte real; a number beyond its range is an overflow.
float toSingle(const QString& text) {
    double v = 0;
    if (!isNumeric(text) || !parseNumber(text, v)) {
        throw Error(err::kTypeMismatch, QStringLiteral("Type mismatch"));
    }
    if (std::fabs(v) > 3.402823466e38) throw Error(err::kOverflow, QStringLiteral("Overflow"));
    return static_cast<float>(v);
}

bool fitsSingle(const QString& text) {
    try {
        (void)toSingle(text);
        return true;
    } catch (const Error&) {
        return false;
    }
}

// The shortest text of a real, never with an exponent, so that a number box takes it back.
QString shortest(float value) {
    QByteArray t = formatSingle(value);
    if (t.contains('E')) {
        t = QByteArray::number(static_cast<double>(value), 'f', 12);
        while (t.endsWith('0')) t.chop(1);
        if (t.endsWith('.')) t.chop(1);
    }
    return QString::fromLatin1(t);
}

QPixmap drawStationIcon(QSize size) {
    // A mast with two radiating arcs: the station.
    QPixmap pm(size);
    pm.fill(QColor(0, 0, 96));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    p.setPen(QPen(QColor(255, 220, 0), std::max(1.0, w / 16)));
    p.drawLine(QPointF(w / 2, h * 0.3), QPointF(w * 0.3, h * 0.9));
    p.drawLine(QPointF(w / 2, h * 0.3), QPointF(w * 0.7, h * 0.9));
    p.setPen(QPen(Qt::white, std::max(1.0, w / 20)));
    for (double r : {0.15, 0.27}) {
        const QRectF arc(w / 2 - w * r, h * 0.3 - h * r, 2 * w * r, 2 * h * r);
        p.drawArc(arc, 30 * 16, 120 * 16);
    }
    return pm;
}

}  // namespace

// ---- the keyer settings files

// ---- the UTC-offset check

void CheckUTCOffset(StationSettings& s, Platform& p) {
    const float saved = s.UTCOffsetHours;
    try {
        // Both times from one reading, so a minute that turns between two readings cannot
        // skew the difference.
        const ClockReading now = p.clock.now();
        auto minuteOf = [](const QDateTime& t) {
            const QDateTime wall(t.date(), QTime(t.time().hour(), t.time().minute()), Qt::UTC);
            return wall.toSecsSinceEpoch() / 60;
        };
        const qint64 minutes = minuteOf(now.utc) - minuteOf(now.local);
        const float recommended = static_cast<float>(std::round(minutes / 60.0 * 100.0) / 100.0);
        if (s.UTCOffsetHours == recommended) return;

        const QString gap = QStringLiteral("\r\n\r\n");
        const QString prompt =
            QStringLiteral(
                "Would you like to adjust the UTC offset in this program for your "
                "local time setting?") +
            gap + QStringLiteral("Current System Time: ") + now.utc.time().toString("HH:mm") + gap +
            QStringLiteral("Current Local Time: ") + now.local.time().toString("HH:mm") + gap +
            QStringLiteral("Recommended Offset Setting: ") + shortest(recommended) + gap +
            QStringLiteral("Current Offset Setting: ") + shortest(saved) + gap +
            QStringLiteral(
                "Please click OK to accept the recommended change or Cancel to keep "
                "the current setting.");
        const QString answer = p.dialogs.input(
            prompt, QStringLiteral("Update the Local Time / UTC Offset?"), shortest(recommended));
        if (!isNumeric(answer)) return;
        s.UTCOffsetHours = toSingle(answer);
        WriteQSOPref(s, p.files);
    } catch (const Error&) {
        s.UTCOffsetHours = saved;
    }
}

// ---- the window

frmStationID::frmStationID(App& app)
    : Form(app.platform(), QStringLiteral("frmStationID"), Border::Fixed), app_(app) {
    setCaption(QStringLiteral(" Setup Information"));
    // A title bar alone: the only way on is Done.
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setWindowFlag(Qt::WindowSystemMenuHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    // The design size is the client area; the outer size adds the frame, so Done stays inside.
    Move(0, 0, 4950 + 2 * kBorderTwips, 5400 + 2 * kBorderTwips + kCaptionTwips);

    Image1 = add<Image>(QStringLiteral("Image1"));
    Image1->Move(0, 0, 480, 480);
    Image1->setPicture(drawStationIcon(QSize(64, 64)));

    struct Row {
        const char* label;
        const char* box;
        double left, top, width;
    };
    static constexpr std::array<Row, 9> rows = {{
        {"Please Enter your Call Sign:", "Text1", 3720, 120, 1095},
        {"Your State / Province:", "Text5", 3240, 480, 615},
        {"Your County Abr:", "Text8", 2880, 840, 615},
        {"Hours added for UTC:", "Text6", 2880, 1200, 615},
        {"Your Country:", "Text2", 2880, 1560, 1695},
        {"Your Longitude:", "Text3", 2880, 1920, 975},
        {"Your Latitude:", "Text4", 2880, 2280, 975},
        {"Your Continent:", "Text7", 2880, 2640, 735},
        {"Your Name:", "Text9", 2880, 3000, 735},
    }};
    std::array<TextBox*, 9> boxes{};
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        Label* label =
            add<Label>(QStringLiteral("Label%1").arg(i + 1), QString::fromLatin1(row.label));
        label->Move(600, row.top, row.left - 600 - 60, 315);
        label->setFontName(QStringLiteral("Arial"));
        label->setFontSize(9.75);
        label->setFontBold(true);
        Labels[i] = label;
        TextBox* box = add<TextBox>(QString::fromLatin1(row.box));
        box->Move(row.left, row.top, row.width, 315);
        boxes[i] = box;
    }
    Text1 = boxes[0];
    Text5 = boxes[1];
    Text8 = boxes[2];
    Text6 = boxes[3];
    Text2 = boxes[4];
    Text3 = boxes[5];
    Text4 = boxes[6];
    Text7 = boxes[7];
    Text9 = boxes[8];
    Text6->setMaxLength(7);
    for (TextBox* box : boxes) {
        if (box == Text2) {
            box->KeyPress = [this](int& k) { Text2_KeyPress(k); };
        } else {
            box->KeyPress = [this, box](int& k) { boxKeyPress(box, k); };
        }
    }
    Text6->LostFocus = [this] { Text6_LostFocus(); };

    txtCategory = add<TextBox>(QStringLiteral("txtCategory"));
    txtCity = add<TextBox>(QStringLiteral("txtCity"));
    for (TextBox* hidden : {txtCategory, txtCity}) {
        hidden->Move(120, 4920, 615, 315);
        hidden->setVisible(false);
    }

    auto frame = [this](const char* name, const char* caption, double top) {
        Frame* f = add<Frame>(QString::fromLatin1(name), QString::fromLatin1(caption));
        f->Move(840, top, 3255, 495);
        f->setFontName(QStringLiteral("Arial"));
        f->setFontSize(9.75);
        f->setFontBold(true);
        return f;
    };
    auto option = [this](Frame* f, const char* name, const char* caption, double left) {
        OptionButton* o =
            add<OptionButton>(QString::fromLatin1(name), QString::fromLatin1(caption), f);
        o->Move(left, 210, 975, 255);
        return o;
    };
    Frame2 = frame("Frame2", "Are you in Rozirazav?", 3480);
    Option1 = option(Frame2, "Option1", "Yes", 480);
    Option2 = option(Frame2, "Option2", "No", 1920);
    Frame3 = frame("Frame3", "Are you operating as a Rover?", 4080);
    Option4 = option(Frame3, "Option4", "Yes", 480);
    Option3 = option(Frame3, "Option3", "No", 1920);
    Option1->Click = [this] { Option1_Click(); };
    Option2->Click = [this] { Option2_Click(); };

    Command1 = add<CommandButton>(QStringLiteral("Command1"), QStringLiteral("Done"));
    Command1->Move(1920, 4920, 1095, 375);
    Command1->setFontName(QStringLiteral("Arial"));
    Command1->setFontSize(9.75);
    Command1->Click = [this] { Command1_Click(); };

    QWidget* order[] = {Text1, Text5, Text8,   Text6,   Text2,   Text3,   Text4,
                        Text7, Text9, Option1, Option2, Option4, Option3, Command1};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    // The call box has the focus when the window opens.
    Text1->setFocus(Qt::OtherFocusReason);
}

void frmStationID::Cap3(int& KeyCode) {
    if (KeyCode >= 'a' && KeyCode <= 'z') KeyCode -= 32;
}

void frmStationID::NumBerr(int& KeyCode) {
    if (KeyCode == 8 || (KeyCode >= '-' && KeyCode <= '9')) return;
    KeyCode = 0;
}

void frmStationID::Form_Load() {
    ResizeForm(*this, platform().screen, platform().dialogs);

    // Each reading step stands on its own: a file that cannot be read is reported and the next
    // step still runs, so the tables are loaded even on a first run, and the boxes are always
    // filled from the settings (Done must never store empty boxes over the station's details).
    StationSettings& s = app_.station();
    try {
        ReadQSOPref(s, platform().files);
    } catch (const Error& e) {
        reportSettingsFailure(e);
    }
    CheckUTCOffset(s, platform());
    try {
        LoadPrefixTable(app_.tables().prefixes, app_.startup(), platform().files);
    } catch (const Error&) {
        reportLoadFailure();
    }
    try {
        LoadStateLocations(app_.tables().StateLocations, platform().files);
    } catch (const Error&) {
        reportLoadFailure();
    }
    setInStateQuestion();
    if (s.RoverFlag == 1) {
        Option4->setValue(true);
    } else {
        Option3->setValue(true);
    }
    try {
        LoadVoiceSettings();
    } catch (const Error&) {
        reportLoadFailure();
    }
    LoadCWSettings();
    fillBoxes();
}

void frmStationID::reportSettingsFailure(const Error& e) {
    QString text = kLoadFailureText;
    if (e.number() == err::kTypeMismatch) {
        // Damaged values: the good ones were read; the file as it is goes into BACKUP before
        // anything rewrites it.
        text += QStringLiteral("\r\n\r\n") + e.text() +
                QStringLiteral("\r\n\r\nEvery other value was read. ");
        Files& files = platform().files;
        const QString folder = app_.startup().DataFolder + QStringLiteral("/BACKUP");
        try {
            if (!files.folderExists(folder)) files.createFolder(folder);
            const QString copy = files.copyToNewName(
                kSettingsFile, folder,
                QStringLiteral("QSOpref-") +
                    platform().clock.localNow().toString(QStringLiteral("yyyyMMddhhmmss")),
                QStringLiteral(".txt"));
            text += QStringLiteral("The file as it was is saved as:\r\n") + copy;
        } catch (const Error& c) {
            text += QStringLiteral("A copy of the file could not be made in the BACKUP folder (") +
                    c.text() + QStringLiteral("); Done saves the values shown over it.");
        }
    } else if (e.number() == err::kPathFileAccess) {
        // Something other than a regular file has the name: say what it is.
        text += QStringLiteral("\r\n\r\n") + e.text();
    }
    platform().dialogs.ok(text, kLoadFailureTitle);
}

void frmStationID::reportLoadFailure() {
    platform().dialogs.ok(kLoadFailureText, kLoadFailureTitle);
}

void frmStationID::setInStateQuestion() {
    const bool outOfState = app_.station().OutOfStateFlag != 0;
    if (outOfState) {
        Option2->setValue(true);
    } else {
        Option1->setValue(true);
    }
    for (Control* c : std::initializer_list<Control*>{Frame3, Option3, Option4}) {
        c->setEnabled(!outOfState);
    }
}

void frmStationID::LoadVoiceSettings() {
    const QByteArray data = platform().files.readAll(QStringLiteral("wave2.txt"));
    // The first value placed loads the voice window hidden; its own load runs first.
    app_.forms().PhoneFrm().LoadVoiceSettings(data);
}

void frmStationID::LoadCWSettings() {
    try {
        const QByteArray data = platform().files.readAll(QStringLiteral("cw.txt"));
        // The first value placed loads the CW window hidden; its own load runs first.
        app_.forms().CWFrm().LoadCWSettings(data);
    } catch (const Error&) {
        // The CW window keeps what arrived and its own design values for the rest.
    }
}

void frmStationID::fillBoxes() {
    const StationSettings& s = app_.station();
    Text1->setText(s.OwnCall);
    Text5->setText(s.OwnSPC);
    Text6->setText(shortest(s.UTCOffsetHours));
    Text2->setText(s.OwnCountry);
    Text3->setText(shortest(s.OwnLongitude));
    Text4->setText(shortest(s.OwnLatitude));
    Text7->setText(s.OwnContinent);
    Text8->setText(s.OwnCounty);
    Text9->setText(s.OwnName);
    txtCategory->setText(s.OwnCategory);
    txtCity->setText(s.OwnCity);
    hiddenBoxesFilled_ = true;
}

void frmStationID::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // No close from the window frame: the run goes on only through Done.
    if (UnloadMode == kUnloadFromControlMenu) Cancel = 1;
}

// ---- keys

void frmStationID::boxKeyPress(TextBox* box, int& KeyAscii) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click();
        return;
    }
    // A record field cannot carry a double quote.
    if (KeyAscii == '"') {
        KeyAscii = 0;
        return;
    }
    if (box == Text6 || box == Text3 || box == Text4) {
        NumBerr(KeyAscii);
    } else if (box == Text8) {
        UpperCaseKey(KeyAscii);
    } else {
        Cap3(KeyAscii);
        if (box == Text1) CallSignKey(KeyAscii);
    }
}

void frmStationID::Text2_KeyPress(int& KeyAscii) {
    if (KeyAscii == '"') {
        KeyAscii = 0;
        return;
    }
    if (Text2->SelStart() == 0) Cap3(KeyAscii);
    if (KeyAscii <= 0) return;
    const QString candidate = Text2->Text().left(Text2->SelStart()) + QChar(KeyAscii);
    const PrefixTable& table = app_.tables().prefixes;
    for (int r = table.PrefixCount; r >= 1; --r) {
        const PrefixRow& row = table[r];
        if (!row.PrefixCountry.startsWith(candidate, Qt::CaseInsensitive)) continue;
        Text2->setText(candidate + row.PrefixCountry.mid(candidate.size()));
        KeyAscii = 0;
        Text2->setSelStart(candidate.size());
        Text2->setSelLength(row.PrefixCountry.size() - candidate.size());
        Text3->setText(shortest(row.PrefixLongitude));
        Text4->setText(shortest(row.PrefixLatitude));
        Text7->setText(row.PrefixContinent);
        return;
    }
}

void frmStationID::Text6_LostFocus() {
    if (isNumeric(Text6->Text())) return;
    platform().beeper.beep();
    if (isVisible() && !unloaded()) Text6->SetFocus();
}

// ---- the questions

void frmStationID::Option1_Click() {
    for (Control* c : std::initializer_list<Control*>{Frame3, Option3, Option4}) {
        c->setEnabled(true);
    }
}

void frmStationID::Option2_Click() {
    Option4->setValue(false);
    Option3->setValue(true);
    for (Control* c : std::initializer_list<Control*>{Frame3, Option3, Option4}) {
        c->setEnabled(false);
    }
}

// ---- Done

void frmStationID::Command1_Click() {
    StationSettings& s = app_.station();
    // A number box whose text is no number ("89.691.87" after a typo, or empty) or a number
    // too large for the settings file keeps the stored value, with a beep and the stored value
    // shown again: a silent 0 would put bearings and times wrong for the whole contest.
    const std::pair<TextBox*, float> numbers[] = {
        {Text6, s.UTCOffsetHours}, {Text3, s.OwnLongitude}, {Text4, s.OwnLatitude}};
    for (const auto& [box, stored] : numbers) {
        if (!fitsSingle(box->Text())) {
            platform().beeper.beep();
            box->setText(shortest(stored));
        }
    }
    s.ContestState = QStringLiteral("MN");
    s.OutOfStateFlag = Option1->Value() ? 0 : 1;
    s.RoverFlag = Option4->Value() ? 1 : 0;
    s.OwnCall = Text1->Text();
    s.OwnSPC = Text5->Text();
    s.UTCOffsetHours = toSingle(Text6->Text());
    s.OwnCountry = Text2->Text();
    s.OwnLongitude = toSingle(Text3->Text());
    s.OwnLatitude = toSingle(Text4->Text());
    s.OwnContinent = Text7->Text();
    s.OwnCounty = Text8->Text();
    s.OwnName = Text9->Text();
    // Values the load never showed pass through as they were read.
    if (hiddenBoxesFilled_) {
        s.OwnCategory = txtCategory->Text();
        s.OwnCity = txtCity->Text();
    }
    WriteQSOPref(s, platform().files);
    setSharedPreferences();

    if (s.OutOfStateFlag == 1) {
        app_.forms().Outfrm().Show();
    } else {
        app_.forms().Infrm().Show();
    }
    Unload();
}

void frmStationID::setSharedPreferences() {
    const std::pair<const char*, TextBox*> prefs[] = {
        {"OWN_CALL", Text1},     {"OWN_SPC", Text5},       {"OWN_UTC", Text6},
        {"OWN_COUNTY", Text8},   {"OWN_COUNTRY", Text2},   {"OWN_LONGITUDE", Text3},
        {"OWN_LATITUDE", Text4}, {"OWN_CONTINENT", Text7}, {"OWN_ARRL_SECTION", Text9},
    };
    try {
        for (size_t i = 0; i < std::size(prefs); ++i) {
            QString name = QString::fromLatin1(prefs[i].first);
            const quint8 save = i + 1 == std::size(prefs) ? 1 : 0;
            app_.sharedPreferences().SetSharedPreference(name, prefs[i].second->Text(), save);
        }
    } catch (const Error& e) {
        // The file only informs the company's other programs: say so, and go on to the log.
        platform().dialogs.ok(e.text(), QStringLiteral("File Error"));
    }
}

}  // namespace qf
