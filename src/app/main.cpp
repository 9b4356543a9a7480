// Quillfen: contest logger for the Rozirazav QSO Party.
#include "app/App.h"
#include "platform/Form.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    qf::pinFontResolution();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillfen"));
    QApplication::setOrganizationName(QStringLiteral("Quillfen"));
    // The run ends through the program's own closing path, not when a window happens to close.
    QApplication::setQuitOnLastWindowClosed(false);

    // The folder the program is started from is its working folder for the whole run.
    qf::App app(qf::Services::real(QDir::currentPath()));
    app.start();
    return QApplication::exec();
}
