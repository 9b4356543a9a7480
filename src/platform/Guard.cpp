#include "platform/Guard.h"

#include "platform/Error.h"

#include <QDebug>

namespace qf {

namespace {
SlotErrorReporter& reporter() {
    static SlotErrorReporter r;
    return r;
}
}  // namespace

void setSlotErrorReporter(SlotErrorReporter r) { reporter() = std::move(r); }

bool guarded(const std::function<void()>& fn) {
    int number = 0;
    QString text;
    try {
        fn();
        return true;
    } catch (const ProgramEnded&) {
        return false;
    } catch (const Error& e) {
        number = e.number();
        text = e.text();
    } catch (const std::exception& e) {
        number = 0;
        text = QString::fromLocal8Bit(e.what());
    }
    qWarning().noquote() << "unhandled error" << number << text;
    if (reporter()) {
        try {
            reporter()(number, text);
        } catch (...) {
            // A failing report must not take the program down either.
        }
    }
    return false;
}

}  // namespace qf
