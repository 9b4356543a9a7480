// The edit-contact dialogs ("Edit Contact Entry"): one contact of the log shown in boxes, the
// keys filtered as they are typed, some boxes checked when they are left, and on "Done" the date
// and time checked, the other records scanned for a duplicate and, when the edit passes, the
// boxes written back into the row. The dialog changes memory only; its logging window rewrites
// "log.txt" and reloads once the dialog has ended. When the edit repeats another contact it
// offers "Delete Dupe", which hands the edited record to the window's own deletion.
//
// DEEditInfrm (the in-state window's) and DEEditOut (the out-of-state window's) are twins over
// this base: each gives only its rows of boxes and marks, its size and its owner.
#pragma once

#include "logtools/EditContact.h"
#include "platform/Controls.h"

#include <map>
#include <vector>

namespace qf {

class App;
class LoggingWindow;
struct BoxState;

class EditContactDialog : public Form {
    Q_OBJECT
  public:
    // Controls both dialogs have under the same name and role.
    Label* lblTitle;         // "Edit Contact:"
    Label* Label1;           // "  Dupe!", beside the call box
    Label *Label3, *Label6;  // the mode and band marks
    TextBox *txtEditCall, *txtEditCk, *txtEditNum, *txtEditDate, *txtEditTime, *txtEditBnd, *Text1;
    TextBox* txtEditPre;  // in state the SPC box, out of state the county box
    Label* Label2;        // in state the SPC mark, out of state the county mark
    CommandButton *cmdDone, *cmdDeleteDupe;
    Label* lblPoints;  // "Points", hidden and unused
    TextBox* txtPoints;

    void Form_Load() override;
    void cmdDone_Click();
    static void Cap2(int& KeyAscii);
    static void number(int& KeyAscii);
    void cmdDeleteDupe_Click();

    // The box and the mark of a field; nullptr when this dialog has none.
    TextBox* box(EditField field) const;
    Label* mark(EditField field) const;
    // The row of QSOLog being edited; 0 when EditRecordNumber named none.
    int editedRow() const { return row_; }

  protected:
    struct Row {
        EditField field;
        const char* caption;
        const char* box;
        const char* mark;  // nullptr: the box has no mark
        EditKeys keys;
        LeaveCheck check;
    };
    EditContactDialog(App& app, QString name, Exchange exchange, const std::vector<Row>& rows,
                      double clientWidth, double clientHeight);
    virtual LoggingWindow& owner() = 0;

    App& app_;

  private:
    void keyPress(const Row& row, int& KeyAscii);
    void stateKeyPress(TextBox* b, int& KeyAscii);
    void countyKeyPress(TextBox* b, int& KeyAscii, bool everyLetter);
    void leaveCheck(const Row& row);
    void dateMessage();
    void timeMessage();
    EditedContact gathered() const;

    Exchange exchange_;
    std::vector<Row> rows_;
    std::map<EditField, TextBox*> boxes_;
    std::map<EditField, Label*> marks_;
    int row_ = 0;
};

}  // namespace qf
