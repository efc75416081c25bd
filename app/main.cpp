// The program entry: the application, the main window and the message loop.
#include "application.h"
#include "comthreadconnection.h"
#include "frmzorvex.h"

int main(int argc, char** argv) {
    zorvex::TApplication application(argc, argv);
    // The window's title carries the application title; the application itself has none.
    zorvex::TApplication::setApplicationDisplayName(QString());
    QStringList arguments = zorvex::TApplication::arguments();
    arguments.removeFirst();
    zorvex::TfrmZORVEX window(zorvex::Platform::System(), zorvex::ComThreadConnection::Factory(), arguments);
    application.SetExceptionHandler(
        [&window](const QString& message) { window.ApplicationEventsException(message); });
    window.show();
    return zorvex::TApplication::exec();
}
