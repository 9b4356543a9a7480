#include "logging/StoreMessages.h"

#include "platform/Dialogs.h"
#include "platform/FileSaves.h"
#include "platform/Platform.h"
#include "platform/System.h"

#include <QStringList>

namespace qf {

namespace {

QString damageText(const LogDamage& d) {
    QStringList numbers;
    for (int n : d.lines) numbers << QString::number(n);
    QString text;
    if (d.cutShort) {
        text = QStringLiteral(
                   "The last contact in log.txt (line %1) was cut short and could not "
                   "be read. The %2 complete contacts before it were loaded.")
                   .arg(numbers.front())
                   .arg(d.loaded);
    } else {
        text =
            QStringLiteral(
                "%1 of log.txt %2 not hold one whole contact (a quote is lost, or "
                "there are too few or too many values), so %3 left out of the "
                "loaded log. The other %4 contacts were loaded.")
                .arg((numbers.size() == 1 ? QStringLiteral("Line ") : QStringLiteral("Lines ")) +
                     numbers.join(QStringLiteral(", ")))
                .arg(numbers.size() == 1 ? QStringLiteral("does") : QStringLiteral("do"))
                .arg(numbers.size() == 1 ? QStringLiteral("it was") : QStringLiteral("they were"))
                .arg(d.loaded);
    }
    if (!d.copy.isEmpty()) {
        text += QStringLiteral("\r\n\r\nThe file as it was is saved as:\r\n") + d.copy;
        if (d.rewritten) {
            text += QStringLiteral("\r\n\r\nlog.txt now holds the loaded contacts.");
        } else {
            text += QStringLiteral("\r\n\r\nlog.txt could not be rewritten (") + d.rewriteError +
                    QStringLiteral(
                        "). The loaded contacts are kept in memory and will be written "
                        "whole with the next contact or change of the log.");
        }
    } else {
        text +=
            QStringLiteral("\r\n\r\nA copy of log.txt could not be made in the BACKUP folder (") +
            d.copyError +
            QStringLiteral(
                "), so log.txt was left as it is. New contacts are still added to "
                "it; it is rewritten only once a copy has been made.");
    }
    return text;
}

void tellWriteFailure(Platform& p, const QString& what, const StoreResult& r) {
    ShowUnableToWriteFile(
        p, what, r.why,
        QStringLiteral("The log (%1 contacts) is kept in memory. log.txt will be written "
                       "whole with the next contact or change of the log; until that "
                       "succeeds, Exit and closing the window ask before the program ends.")
            .arg(r.kept));
}

}  // namespace

bool tellStoreResult(Platform& p, const StoreResult& r) {
    using F = StoreResult::Failure;
    switch (r.failure) {
        case F::None:
            if (r.damage) {
                p.dialogs.ok(damageText(*r.damage),
                             r.damage->copy.isEmpty() ? QStringLiteral("Damaged Log")
                                                      : QStringLiteral("Log Repaired"),
                             Icon::Exclamation);
            }
            return true;
        case F::NoLog: {
            QString text = QStringLiteral("Error opening file.");
            if (!r.why.isEmpty()) text += QStringLiteral("\r\n\r\n") + r.why;
            p.dialogs.ok(text, QStringLiteral("File Error"));
            p.ending.endNow(1);
            break;
        }
        case F::NotAppended:
            tellWriteFailure(p, QStringLiteral("The contact was not written to log.txt"), r);
            break;
        case F::NotRewritten:
            tellWriteFailure(p, QStringLiteral("log.txt could not be rewritten"), r);
            break;
        case F::NoSuchRow:
            break;
        case F::UnsavedKept:
            p.beeper.beep();
            p.dialogs.ok(QStringLiteral("The contacts held only in memory could not be written "
                                        "to log.txt (") +
                             r.why +
                             QStringLiteral("), so the log was not erased. Nothing was "
                                            "changed; they are still kept in memory."),
                         QStringLiteral("New Log"), Icon::Exclamation);
            break;
        case F::NotCopied:
            // Beeps like the other refusal of a new log, and says why the copy failed.
            p.beeper.beep();
            p.dialogs.ok(QStringLiteral("The log could not be copied to the BACKUP folder (") +
                             r.why +
                             QStringLiteral("), so it was not erased. Nothing was changed."),
                         QStringLiteral("New Log"), Icon::Exclamation);
            break;
        case F::NotEmptied:
            ShowUnableToWriteFile(p, QStringLiteral("log.txt could not be emptied"), r.why,
                                  QStringLiteral("Nothing was changed."));
            break;
    }
    return false;
}

}  // namespace qf
