// The CW window's settings: "CW.txt" (written by Done as "CW.txt", read at start as "cw.txt",
// one file) and the two registry values of the timing method.
#include "app/App.h"
#include "common/QuotedFieldLine.h"
#include "keying/CWFrm.h"
#include "keying/KeyerCommon.h"
#include "platform/Error.h"
#include "platform/FileSaves.h"
#include "platform/Files.h"
#include "platform/Registry.h"

namespace qf {

void CWFrm::LoadCWSettings(const QByteArray& data) {
    RecordReader r(data);
    for (TextBox* box : {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8})
        box->setText(r.readText());
    const QString f9 = r.readText();
    Text9->setText(f9.isEmpty() ? QStringLiteral("VVV DE ") : f9);
    for (TextBox* box : {Text10, Text11, Text12, Text13, txtSpace}) box->setText(r.readText());
    RunState& run = app_.run();
    run.CWKeyingInterface = r.readByte();
    Text14->setText(r.readText());
    Check1->setValue(static_cast<int>(r.readInteger(-32768, 32767)));
    txtCWLoop->setText(r.readText());
    tmrRepeat->setInterval(RepeatIntervalMs(txtCWLoop->Text()));

    // The serial and printer choices are cleared, then the stored interface is selected, which
    // runs its option's click.
    for (OptionButton* o : {Option1, Option2, Option3}) o->setValue(false);
    switch (run.CWKeyingInterface) {
        case 1:
            Option1->setValue(true);
            break;
        case 2:
            Option2->setValue(true);
            break;
        case 3:
            Option3->setValue(true);
            break;
        case 0:
            Option4->setValue(true);
            break;
        case 5:
            Option5->setValue(true);
            break;
        default:
            break;
    }
}

void CWFrm::Command1_Click() {
    try {
        RecordWriter w;
        for (TextBox* box : {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10,
                             Text11, Text12, Text13, txtSpace}) {
            w.text(box->Text()).endRecord();
        }
        w.integer(app_.run().CWKeyingInterface).endRecord();
        w.text(Text14->Text()).endRecord();
        w.integer(Check1->Value()).endRecord();
        w.text(txtCWLoop->Text()).endRecord();
        // Written whole or not at all: a failed write leaves the old settings readable, says
        // so, and skips the registry values as any failure here does.
        if (!SaveSettingsFile(platform(), QStringLiteral("CW.txt"), w.data())) {
            Hide();
            return;
        }
        const QString method = optLoop->Value()    ? optLoop->Caption()
                               : OptSleep->Value() ? OptSleep->Caption()
                                                   : optTimer->Caption();
        Registry& reg = platform().registry;
        try {
            reg.save(QStringLiteral("Ardlow_Software"), QStringLiteral("Settings"),
                     QStringLiteral("UserCWSelection"), method);
            reg.save(QStringLiteral("Ardlow_Software"), QStringLiteral("Settings"),
                     QStringLiteral("UserCWLoopOffset"),
                     QString::fromLatin1(formatDouble(LoopsPer60ms)));
        } catch (const Error& e) {
            // Both values live in one file: told once.
            ShowUnableToWriteFile(platform(), CouldNotBeWritten(reg.path()), e.text(),
                                  QStringLiteral("The timing method stays in effect until the "
                                                 "program ends."));
        }
    } catch (const Error&) {
        // Any other fault: the settings last until the run ends.
    }
    Hide();
}

}  // namespace qf
