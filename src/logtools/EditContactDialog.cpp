#include "logtools/EditContactDialog.h"

#include "app/App.h"
#include "common/KeyFilters.h"
#include "common/ScreenScaling.h"
#include "logging/LoggingWindow.h"
#include "logging/TextBoxState.h"
#include "logging/TypeAhead.h"
#include "platform/Colors.h"

namespace qf {

namespace {

// Layout on the design canvas, in twips: the marks at the left, the captions, then the boxes.
constexpr double kMarkLeft = 120, kMarkWidth = 900;
constexpr double kCaptionLeft = 1080;
constexpr double kFirstTop = 480, kRowStep = 375, kBoxHeight = 315;

}  // namespace

EditContactDialog::EditContactDialog(App& app, QString name, Exchange exchange,
                                     const std::vector<Row>& rows, double clientWidth,
                                     double clientHeight)
    : Form(app.platform(), std::move(name), Border::Fixed),
      app_(app),
      exchange_(exchange),
      rows_(rows) {
    setCaption(QStringLiteral("Edit Contact Entry"));
    // No minimise, maximise or close box, and no Cancel: "Done" is the way out.
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setWindowFlag(Qt::WindowSystemMenuHint, false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    Move(0, 0, clientWidth + 2 * kBorderTwips, clientHeight + 2 * kBorderTwips + kCaptionTwips);

    lblTitle = add<Label>(QStringLiteral("lblTitle"), QStringLiteral("Edit Contact:"));
    lblTitle->Move(kMarkLeft, 90, clientWidth - 2 * kMarkLeft, 300);
    lblTitle->setFontName(QStringLiteral("Arial"));
    lblTitle->setFontSize(9.75);
    lblTitle->setFontBold(true);

    // The boxes are made in table order, which is also the tab order; "Done" follows them.
    const double boxLeft = kCaptionLeft + 1020;
    const double boxWidth = clientWidth - boxLeft - kMarkLeft;
    for (size_t i = 0; i < rows_.size(); ++i) {
        const Row& r = rows_[i];
        const double top = kFirstTop + static_cast<double>(i) * kRowStep;
        Label* caption =
            add<Label>(QStringLiteral("lblField%1").arg(i + 1), QString::fromLatin1(r.caption));
        caption->Move(kCaptionLeft, top + 30, 960, kBoxHeight - 30);
        caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
        TextBox* b = add<TextBox>(QString::fromLatin1(r.box));
        b->Move(boxLeft, top, boxWidth, kBoxHeight);
        boxes_[r.field] = b;
        const Row* row = &rows_[i];
        b->KeyPress = [this, row](int& k) { keyPress(*row, k); };
        if (r.check != LeaveCheck::None) b->LostFocus = [this, row] { leaveCheck(*row); };
    }
    for (size_t i = 0; i < rows_.size(); ++i) {
        const Row& r = rows_[i];
        if (r.mark == nullptr) continue;
        const bool dupe = r.field == EditField::Call;
        Label* m = add<Label>(QString::fromLatin1(r.mark),
                              dupe ? QStringLiteral("  Dupe!") : QStringLiteral("   Invalid!"));
        m->Move(kMarkLeft, kFirstTop + static_cast<double>(i) * kRowStep, kMarkWidth,
                kBoxHeight - 60);
        m->setBackColor(kDarkRed);
        m->setForeColor(kWhite);
        m->setVisible(false);
        marks_[r.field] = m;
    }

    const double doneTop = kFirstTop + static_cast<double>(rows_.size()) * kRowStep + 120;
    cmdDone = add<CommandButton>(QStringLiteral("cmdDone"), QStringLiteral("Done"));
    cmdDone->Move((clientWidth - 1215) / 2, doneTop, 1215, 375);
    cmdDone->Click = [this] { cmdDone_Click(); };
    // Below the duplicate mark, over the name row's empty mark place.
    cmdDeleteDupe =
        add<CommandButton>(QStringLiteral("cmdDeleteDupe"), QStringLiteral("Delete Dupe"));
    cmdDeleteDupe->Move(kMarkLeft, kFirstTop + kRowStep, kMarkWidth + 60, kBoxHeight);
    cmdDeleteDupe->setVisible(false);
    cmdDeleteDupe->Click = [this] { cmdDeleteDupe_Click(); };

    // Designed in but never used.
    lblPoints = add<Label>(QStringLiteral("lblPoints"), QStringLiteral("Points"));
    lblPoints->Move(kMarkLeft, doneTop, 600, 255);
    lblPoints->setVisible(false);
    txtPoints = add<TextBox>(QStringLiteral("txtPoints"));
    txtPoints->Move(kMarkLeft + 600, doneTop, 255, kBoxHeight);
    txtPoints->setMaxLength(1);
    txtPoints->setVisible(false);

    txtEditCall = box(EditField::Call);
    txtEditCk = box(EditField::NameRcvd);
    txtEditNum = box(EditField::NameSent);
    txtEditDate = box(EditField::Date);
    txtEditTime = box(EditField::Time);
    txtEditBnd = box(EditField::Mode);
    Text1 = box(EditField::Band);
    txtEditPre = exchange == Exchange::InState ? box(EditField::SPC) : box(EditField::CountyRcvd);
    Label1 = mark(EditField::Call);
    Label3 = mark(EditField::Mode);
    Label6 = mark(EditField::Band);
    Label2 = exchange == Exchange::InState ? mark(EditField::SPC) : mark(EditField::CountyRcvd);
}

TextBox* EditContactDialog::box(EditField field) const {
    const auto it = boxes_.find(field);
    return it == boxes_.end() ? nullptr : it->second;
}

Label* EditContactDialog::mark(EditField field) const {
    const auto it = marks_.find(field);
    return it == marks_.end() ? nullptr : it->second;
}

void EditContactDialog::Form_Load() {
    ScaleWindow(*this, platform().screen, platform().dialogs);
    const QSOLog& log = app_.log();
    const int r = qRound(app_.run().EditRecordNumber);
    // A number that names no contact fills nothing, and "Done" then writes nothing.
    if (r < 1 || r > log.QSOCount) return;
    row_ = r;
    for (const Row& row : rows_) box(row.field)->setText(FieldOf(log[r], row.field));
}

void EditContactDialog::Cap2(int& KeyAscii) {
    UpperCaseKey(KeyAscii);
}

void EditContactDialog::number(int& KeyAscii) {
    DigitsOnlyKey(KeyAscii);
}

void EditContactDialog::keyPress(const Row& row, int& KeyAscii) {
    if (KeyAscii == '"') {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdDone_Click();
        return;
    }
    TextBox* b = box(row.field);
    switch (row.keys) {
        case EditKeys::Letters:
            Cap2(KeyAscii);
            break;
        case EditKeys::Date:
        case EditKeys::Time:
            EditKeyFilter(row.keys, KeyAscii);
            break;
        case EditKeys::State:
            stateKeyPress(b, KeyAscii);
            break;
        case EditKeys::County:
            countyKeyPress(b, KeyAscii, true);
            break;
        case EditKeys::CountySent:
            countyKeyPress(b, KeyAscii, false);
            break;
    }
}

void EditContactDialog::stateKeyPress(TextBox* b, int& KeyAscii) {
    // Any key at the start (a blank and Backspace too) replaces the whole text.
    if (KeyAscii > 0 && (b->Text().isEmpty() || b->SelStart() == 0)) {
        b->setText(QString());
        Cap2(KeyAscii);
    }
    if (KeyAscii <= 0) return;
    BoxState state = boxStateOf(*b);
    if (CountryTypeAhead(app_.tables().prefixes, state, KeyAscii) > 0) setBoxStateOf(*b, state);
}

void EditContactDialog::countyKeyPress(TextBox* b, int& KeyAscii, bool everyLetter) {
    // The dialogs offer the fitting abbreviation nearest the end of the table.
    CountyTypeAheadRule rule;
    rule.from = CountyTypeAheadRule::SearchFrom::LastRow;
    rule.keyCase = everyLetter ? CountyTypeAheadRule::KeyCase::EveryLetter
                               : CountyTypeAheadRule::KeyCase::StartOrAfterBlank;
    BoxState state = boxStateOf(*b);
    CountyTypeAhead(app_.tables().counties, state, KeyAscii, rule);
    setBoxStateOf(*b, state);
}

void EditContactDialog::leaveCheck(const Row& row) {
    TextBox* b = box(row.field);
    Label* m = mark(row.field);
    Beeper& beeper = platform().beeper;
    const QString text = b->Text();
    switch (row.check) {
        case LeaveCheck::None:
            return;
        case LeaveCheck::Band:
        case LeaveCheck::Mode: {
            const bool ok = row.check == LeaveCheck::Band ? IsEditBand(text) : IsEditMode(text);
            m->setVisible(!ok);
            if (ok) return;
            beeper.beep();
            b->SetFocus();
            return;
        }
        case LeaveCheck::Date:
            if (ReadsAsEditDate(text)) return;
            dateMessage();
            b->SetFocus();
            return;
        case LeaveCheck::Time:
            if (ReadsAsEditTime(text)) return;
            timeMessage();
            b->SetFocus();
            return;
        case LeaveCheck::CountyOrEmpty:
        case LeaveCheck::County: {
            auto& flags = app_.run().EntryCheckFlags;
            m->setVisible(false);
            flags.BadCountyFlag = 1;
            if (PassesEditCountyCheck(app_.tables().counties, text,
                                      row.check == LeaveCheck::CountyOrEmpty)) {
                flags.BadCountyFlag = 0;
                return;
            }
            beeper.beep();
            m->setVisible(true);
            b->SetFocus();
            return;
        }
    }
}

void EditContactDialog::dateMessage() {
    platform().beeper.beep();
    platform().dialogs.ok(QStringLiteral("You have entered an invalid date format!"),
                          QStringLiteral("Invalid Date Format!"));
}

void EditContactDialog::timeMessage() {
    platform().beeper.beep();
    platform().dialogs.ok(QStringLiteral("You have entered an invalid time format!"),
                          QStringLiteral("Invalid Time Format!"));
}

EditedContact EditContactDialog::gathered() const {
    EditedContact e;
    for (const Row& row : rows_) e[row.field] = box(row.field)->Text();
    return e;
}

void EditContactDialog::cmdDone_Click() {
    if (row_ == 0) {
        Hide();
        return;
    }
    const bool inState = exchange_ == Exchange::InState;
    if (inState && txtEditPre->Text().size() < 3) txtEditPre->setText(txtEditPre->Text().toUpper());
    if (!ReadsAsEditTime(txtEditTime->Text())) {
        timeMessage();
        txtEditTime->SetFocus();
        return;
    }
    if (!ReadsAsEditDate(txtEditDate->Text())) {
        dateMessage();
        txtEditDate->SetFocus();
        return;
    }
    const EditedContact edit = gathered();
    const std::vector<int> dupes = EditDuplicates(app_.log(), row_, edit, exchange_);
    for (size_t i = 0; i < dupes.size(); ++i) {
        Label1->setVisible(true);
        cmdDeleteDupe->setVisible(true);
        platform().beeper.beep();
    }
    if (dupes.empty()) Label1->setVisible(false);
    bool codeOk = true;
    if (inState) {
        codeOk = PassesStateCodeCheck(app_.spc(), edit.spc);
        Label2->setVisible(!codeOk);
        if (!codeOk) platform().beeper.beep();
    }
    if (!dupes.empty() || !codeOk) return;
    WriteEdit(app_.log()[row_], edit, exchange_);
    Hide();
}

void EditContactDialog::cmdDeleteDupe_Click() {
    Hide();
    owner().cmdDelete_Click();
}

}  // namespace qf
