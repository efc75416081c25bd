// zorvexpro-cli: the device without the window, for scripts and automation. It runs the window's
// communication thread and file library behind a view without widgets.
#include "cliarguments.h"
#include "clicommands.h"
#include "extratexts.h"
#include "language.h"
#include "portsettings.h"
#include "qttranslations.h"
#include "serialports.h"
#include "terminationsignalnotifier.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const zorvex::CliCommandLine line = zorvex::ParseCliArguments(arguments);
    zorvex::LoadLanguageTable(line.options.language);
    zorvex::InstallQtTranslations(zorvex::CurrentLanguage());

    QTextStream out(stdout);
    QTextStream err(stderr);
    if (line.help) {
        out << zorvex::CliHelpText();
        return zorvex::ExitSuccess;
    }
    if (line.error) {
        err << zorvex::ExtraText(line.error->key, line.error->args) << Qt::endl;
        return zorvex::ExitUsage;
    }
    // Ctrl+C and SIGTERM end a command cleanly: the thread stops, the port is closed.
    zorvex::TerminationSignalNotifier termination;
    zorvex::CliConsole console{out, err, ::isatty(::fileno(stderr)) == 1};
    zorvex::QSettingsPortSettings settings;
    zorvex::SystemSerialPorts serialPorts;
    return zorvex::RunCliCommand(line, console, &termination, settings, serialPorts);
}
