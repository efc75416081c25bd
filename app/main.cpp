// The program entry: the application, the main window and the message loop.
#include "application.h"
#include "comthreadconnection.h"
#include "frmzorvex.h"
#include "language.h"
#include "qttranslations.h"
#include "terminationsignals.h"

int main(int argc, char** argv) {
    zorvex::TApplication application(argc, argv);
    // The window's title carries the application title; the application itself has none.
    zorvex::TApplication::setApplicationDisplayName(QString());
    // The installed desktop entry, so that the desktop shows its name and icon for the window.
    zorvex::TApplication::setDesktopFileName(QStringLiteral("net.zorvexpro.zorvexpro"));
    QStringList arguments = zorvex::TApplication::arguments();
    arguments.removeFirst();
    zorvex::TfrmZORVEX window(zorvex::Platform::System(), zorvex::ComThreadConnection::Factory(), arguments);
    // Qt's own dialogs and messages speak the language the window chose.
    zorvex::InstallQtTranslations(zorvex::CurrentLanguage());
    application.SetExceptionHandler(
        [&window](const QString& message) { window.ApplicationEventsException(message); });
    // A logout, kill or Ctrl+C closes the window as its close button does: the connection is
    // stopped, the backup written, and the program ends normally.
    zorvex::TerminationSignals termination;
    termination.closeOnTermination(&window);
    window.show();
    return zorvex::TApplication::exec();
}
