#include "extratexts.h"

#include "language.h"

namespace zorvex {

namespace {

struct ExtraEntry {
    const char16_t* key;
    const char16_t* english;
    const char16_t* german;
};

constexpr ExtraEntry Entries[] = {
    {u"ImportPreviewCaption", u"Import configuration", u"Konfiguration importieren"},
    {u"ImportPreviewText", u"The file changes these settings. Apply them and send them to the device?",
     u"Die Datei \u00e4ndert diese Einstellungen. \u00dcbernehmen und an das Ger\u00e4t senden?"},
    {u"ImportPreviewSetting", u"Setting", u"Einstellung"},
    {u"ImportPreviewCurrent", u"Current value", u"Aktueller Wert"},
    {u"ImportPreviewFile", u"Value in the file", u"Wert in der Datei"},
    {u"ImportSchedulePreviewCaption", u"Import schedule", u"Zeitplan importieren"},
    {u"ImportPreviewColumn", u"Column", u"Spalte"},
    {u"PreviewMode", u"Mode", u"Modus"},
    {u"ImportDone", u"Imported %1 settings from %2", u"%1 Einstellungen aus %2 importiert"},
    {u"ImportNoChanges", u"The file changes no setting; the settings are sent to the device again.",
     u"Die Datei \u00e4ndert keine Einstellung; die Einstellungen werden erneut an das Ger\u00e4t gesendet."},
    {u"ImportCancelled", u"Import cancelled: nothing was changed.",
     u"Import abgebrochen: Es wurde nichts ge\u00e4ndert."},
    {u"ImportFailed", u"Import failed: %1", u"Import fehlgeschlagen: %1"},
    {u"ExportFailed", u"Export failed: %1", u"Export fehlgeschlagen: %1"},
    {u"ExportDone", u"Exported to %1", u"Exportiert nach %1"},
    {u"FileTooLarge", u"The file is larger than 1 MiB, far more than any configuration file.",
     u"Die Datei ist gr\u00f6\u00dfer als 1 MiB, weit mehr als jede Konfigurationsdatei."},
    {u"ImportKeysNotTaken",
     u"Schedule import: these entries were not taken (no integer, or too wide for the field): %1",
     u"Zeitplan-Import: Diese Eintr\u00e4ge wurden nicht \u00fcbernommen (keine ganze Zahl oder zu gro\u00df "
     u"f\u00fcr das Feld): %1"},
    {u"BackupWritten", u"Backup written: %1", u"Sicherung geschrieben: %1"},
    {u"BackupFailed", u"Backup not written: %1", u"Sicherung nicht geschrieben: %1"},
    {u"BackupIncomplete", u"Backup not written: not every record has been read from the device yet.",
     u"Sicherung nicht geschrieben: Noch nicht alle Daten wurden vom Ger\u00e4t gelesen."},
    {u"SimulatedLampCaption", u"Simulated lamp (no hardware)", u"Simulierte Lampe (ohne Hardware)"},
    {u"SimulationStarted",
     u"The simulated lamp runs on %1: every page, the files and the pictures can be tried "
     u"without hardware.",
     u"Die simulierte Lampe l\u00e4uft an %1: Alle Seiten, die Dateien und die Bilder lassen sich ohne "
     u"Hardware "
     u"ausprobieren."},
    {u"SimulationStatus", u"Simulation (no hardware): %1", u"Simulation (ohne Hardware): %1"},
    {u"SimulationEnded", u"The simulated lamp has ended.", u"Die simulierte Lampe wurde beendet."},
    {u"SimulationFailed", u"The simulated lamp could not be started: %1",
     u"Die simulierte Lampe konnte nicht gestartet werden: %1"},
    {u"WaitForDownload",
     u"%1 is not possible yet: the device's settings are still being read. Try again when the download is "
     u"complete.",
     u"%1 ist noch nicht m\u00f6glich: Die Einstellungen des Ger\u00e4ts werden noch gelesen. Nach dem "
     u"vollst\u00e4ndigen Download erneut versuchen."},
    {u"WhatConfigImport", u"The configuration import", u"Der Konfigurationsimport"},
    {u"WhatScheduleImport", u"The schedule import", u"Der Zeitplanimport"},
    {u"WhatPasteColumn", u"Pasting a column", u"Das Einf\u00fcgen einer Spalte"},
    {u"WhatSwapColumns", u"Swapping columns", u"Das Tauschen von Spalten"},
    {u"EditMenuCaption", u"&Edit", u"&Bearbeiten"},
    {u"UndoCaption", u"&Undo", u"&R\u00fcckg\u00e4ngig"},
    {u"RedoCaption", u"&Redo", u"&Wiederholen"},
    {u"UndoStep", u"&Undo %1", u"&R\u00fcckg\u00e4ngig: %1"},
    {u"RedoStep", u"&Redo %1", u"&Wiederholen: %1"},
    {u"UndoSetting", u"setting \"%1\"", u"Einstellung \"%1\""},
    {u"UndoLevel", u"%1 level of line %2", u"%1-Wert in Zeile %2"},
    {u"UndoCell", u"%1 of line %2", u"%1 in Zeile %2"},
    {u"UndoMoveLine", u"move of line %1", u"Verschieben von Zeile %1"},
    {u"UndoPasteColumn", u"column paste", u"Einf\u00fcgen der Spalte"},
    {u"UndoSwapColumns", u"column swap", u"Tauschen der Spalten"},
    {u"UndoDrag", u"drag on the visualisation", u"Ziehen in der Visualisierung"},
    {u"UndoConfigImport", u"configuration import", u"Konfigurationsimport"},
    {u"UndoScheduleImport", u"schedule import", u"Zeitplanimport"},
    {u"UndoTimeZone", u"time zone from this computer", u"Zeitzone vom Computer"},
    {u"BluetoothNeedsCapability",
     u"Making a Bluetooth serial port needs the right CAP_NET_ADMIN for the helper %1 (never for this "
     u"program): run \"sudo setcap cap_net_admin+ep '%1'\".",
     u"F\u00fcr eine serielle Bluetooth-Schnittstelle braucht das Hilfsprogramm %1 das Recht CAP_NET_ADMIN "
     u"(nie dieses Programm selbst): \"sudo setcap cap_net_admin+ep '%1'\" ausf\u00fchren."},
    {u"BluetoothHelperMissing",
     u"Making a Bluetooth serial port needs the helper %1, which is missing or may not be run: install the "
     u"program's package again.",
     u"F\u00fcr eine serielle Bluetooth-Schnittstelle wird das Hilfsprogramm %1 gebraucht, das fehlt oder "
     u"nicht ausgef\u00fchrt werden darf: das Paket des Programms erneut installieren."},
    {u"BluetoothGroupNewLogin",
     u"Opening a Bluetooth serial port needs the group \"%1\", which you joined after this login began: "
     u"log out and in again.",
     u"Zum \u00d6ffnen einer seriellen Bluetooth-Schnittstelle wird die Gruppe \"%1\" gebraucht, der Sie "
     u"nach dieser Anmeldung beigetreten sind: ab- und wieder anmelden."},
    {u"BluetoothNeedsGroup",
     u"Opening a Bluetooth serial port needs membership in the group \"%1\": run \"sudo usermod -aG %1 %2\", "
     u"then log out and in again.",
     u"Zum \u00d6ffnen einer seriellen Bluetooth-Schnittstelle muss der Benutzer zur Gruppe \"%1\" "
     u"geh\u00f6ren: "
     u"\"sudo usermod -aG %1 %2\" ausf\u00fchren, dann ab- und wieder anmelden."},
    // A serial port that refused to open: what to do about it, said once per run.
    {u"PortNoAccess",
     u"No permission to use %1: the device belongs to the group \"%2\". Join it with: sudo usermod -aG %2 "
     u"$USER \u2014 then log out and in again (a new group counts only from a new login).",
     u"Keine Berechtigung f\u00fcr %1: Das Ger\u00e4t geh\u00f6rt der Gruppe \"%2\". Treten Sie ihr bei mit: "
     u"sudo usermod -aG %2 $USER \u2014 danach ab- und wieder anmelden (eine neue Gruppe gilt erst ab einer "
     u"neuen Anmeldung)."},
    {u"PortNoAccessNewLogin",
     u"No permission to use %1 yet: you joined its group \"%2\" after this login began. Log out and in "
     u"again (a new login is needed).",
     u"Noch keine Berechtigung f\u00fcr %1: Sie sind der Gruppe \"%2\" erst nach dieser Anmeldung "
     u"beigetreten. Bitte ab- und wieder anmelden (eine neue Anmeldung ist n\u00f6tig)."},
    {u"PortNoAccessGroupMode",
     u"No permission to use %1 although you belong to its group \"%2\": the device does not let its group "
     u"read and write it.",
     u"Keine Berechtigung f\u00fcr %1, obwohl Sie zur Gruppe \"%2\" geh\u00f6ren: Das Ger\u00e4t erlaubt "
     u"seiner Gruppe weder Lesen noch Schreiben."},
    {u"PortNoAccessRoot",
     u"No permission to use %1: only root may use it. A udev rule has to give it to a group, which you "
     u"then join with sudo usermod -aG <group> $USER and a new login.",
     u"Keine Berechtigung f\u00fcr %1: Nur root darf es verwenden. Eine udev-Regel muss es einer Gruppe "
     u"geben, der Sie dann mit sudo usermod -aG <Gruppe> $USER und einer neuen Anmeldung beitreten."},
    {u"PortBusy", u"%1 is busy: another program is using it.",
     u"%1 ist belegt: Ein anderes Programm verwendet es."},
    {u"PortBusyModemManager",
     u"%1 is busy: ModemManager is probing the port, as it does for a while after an adapter appears. Wait "
     u"a few seconds and try again, or keep ModemManager away from it (udev property ID_MM_DEVICE_IGNORE=1).",
     u"%1 ist belegt: ModemManager pr\u00fcft den Port, wie nach dem Einstecken eines Adapters \u00fcblich. "
     u"Einige Sekunden warten und erneut versuchen, oder ModemManager fernhalten (udev-Eigenschaft "
     u"ID_MM_DEVICE_IGNORE=1)."},
    // The port has opened; nothing is connected until the lamp has answered the identification.
    {u"PortOpenWaiting", u"Port %1 is open; waiting for the lamp to answer...",
     u"Port %1 ist offen; warte auf die Antwort der Lampe..."},
    // The tooltip of the coloured connection bar in the status bar, one per colour.
    {u"ConnectionBarNormal", u"Green: connected to the lamp, or a transfer is running.",
     u"Gr\u00fcn: mit der Lampe verbunden, oder eine \u00dcbertragung l\u00e4uft."},
    {u"ConnectionBarPaused", u"Yellow: waiting for the lamp; the connection is being made again.",
     u"Gelb: Warten auf die Lampe; die Verbindung wird erneut aufgebaut."},
    {u"ConnectionBarError", u"Red: not connected to the lamp (the status beside it says why).",
     u"Rot: nicht mit der Lampe verbunden (der Status daneben sagt, warum)."},
    // The remembered port, read at start-up and written after an identification. The maker's
    // own lines, untranslated; the Linux wording below replaces them.
    {u"RegistryRead", u"Read from registry: %1", u"Read from registry: %1"},
    {u"RegistryWritten", u"Written to registry: %1", u"Written to registry: %1"},
    // A chosen file the firmware update would refuse.
    {u"FirmwareChooseAnother", u"Choose a firmware file for the %1.",
     u"Bitte eine Firmware-Datei f\u00fcr %1 w\u00e4hlen."},
    // The button that takes the computer's time zone, where the computer does not run Windows.
    {u"ApplyTZICaption", u"Get from this computer", u"Vom Computer \u00fcbernehmen"},
    // The command-line tool: usage errors, its own failures, the info labels and the help.
    {u"CliUsageNoCommand", u"No command given (zorvexpro-cli --help lists them).",
     u"Kein Befehl angegeben (zorvexpro-cli --help zeigt sie)."},
    {u"CliUsageUnknownCommand", u"Unknown command \"%1\" (zorvexpro-cli --help lists the commands).",
     u"Unbekannter Befehl \"%1\" (zorvexpro-cli --help zeigt die Befehle)."},
    {u"CliUsageUnknownOption", u"Unknown option \"%1\".", u"Unbekannte Option \"%1\"."},
    {u"CliUsageMissingValue", u"The option %1 needs a value.", u"Die Option %1 braucht einen Wert."},
    {u"CliUsageMissingOption", u"%1 needs the option %2.", u"%1 braucht die Option %2."},
    {u"CliUsageBadLanguage", u"Unknown language \"%1\": use en or de.",
     u"Unbekannte Sprache \"%1\": en oder de verwenden."},
    {u"CliUsageArguments", u"Wrong arguments for %1; use: zorvexpro-cli %2",
     u"Falsche Argumente f\u00fcr %1; Aufruf: zorvexpro-cli %2"},
    {u"CliUsageBadPercent", u"\"%1\" is not a level from 0 to 100 percent.",
     u"\"%1\" ist kein Wert von 0 bis 100 Prozent."},
    {u"CliUsageBadMode", u"Unknown mode \"%1\": use manual, auto or geo.",
     u"Unbekannter Modus \"%1\": manual, auto oder geo verwenden."},
    {u"CliUsageBadNumber", u"%1 needs a number from %2 to %3, not \"%4\".",
     u"%1 braucht eine Zahl von %2 bis %3, nicht \"%4\"."},
    {u"CliUsageBadTime", u"--at needs a local date and time as YYYY-MM-DDTHH:MM, not \"%1\".",
     u"--at braucht ein lokales Datum mit Uhrzeit als JJJJ-MM-TTTHH:MM, nicht \"%1\"."},
    {u"CliScheduleNoChanges", u"The file changes no schedule line; every line is sent to the device again.",
     u"Die Datei \u00e4ndert keine Zeitplanzeile; jede Zeile wird erneut an das Ger\u00e4t gesendet."},
    {u"CliNoPort", u"No port chosen: give --port PORT (without it the port the window used last is taken).",
     u"Kein Port gew\u00e4hlt: --port PORT angeben (ohne die Option gilt der zuletzt im Fenster verwendete "
     u"Port)."},
    {u"CliBluetoothUnavailable", u"Bluetooth is not available: no adapter, or BlueZ is not running.",
     u"Bluetooth ist nicht verf\u00fcgbar: kein Adapter, oder BlueZ l\u00e4uft nicht."},
    {u"CliBluetoothNoneFound", u"No ZORVEXPRO was found in range.",
     u"Kein ZORVEXPRO in Reichweite gefunden."},
    {u"CliBluetoothInstallFailed", u"%1 ZORVEXPRO could not be installed.",
     u"%1 ZORVEXPRO konnte(n) nicht installiert werden."},
    {u"CliBluetoothRemovalFailed", u"%1 ZORVEXPRO could not be removed.",
     u"%1 ZORVEXPRO konnte(n) nicht entfernt werden."},
    {u"CliInterrupted", u"Interrupted.", u"Abgebrochen."},
    {u"CliPortListUnreadable", u"The system's list of serial ports cannot be read.",
     u"Die Liste der seriellen Ports des Systems kann nicht gelesen werden."},
    {u"CliWriteFailed", u"The device did not acknowledge %1.",
     u"Das Ger\u00e4t hat %1 nicht best\u00e4tigt."},
    {u"CliFlashInterrupted",
     u"Warning: the lamp waits in its bootloader; running flash again finishes the update.",
     u"Warnung: Die Lampe wartet in ihrem Bootloader; ein erneuter Aufruf von flash schlie\u00dft das "
     u"Update ab."},
    {u"CliNoBootloader", u"The device did not start its bootloader.",
     u"Das Ger\u00e4t hat seinen Bootloader nicht gestartet."},
    {u"CliFileError", u"%1: %2", u"%1: %2"},
    {u"CliNotConfigFile", u"%1 holds no setting of a configuration file.",
     u"%1 enth\u00e4lt keine Einstellung einer Konfigurationsdatei."},
    {u"CliNotScheduleFile", u"%1 holds no schedule line.", u"%1 enth\u00e4lt keine Zeitplanzeile."},
    {u"CliNotFirmwareFile", u"%1 is not a firmware file.", u"%1 ist keine Firmware-Datei."},
    {u"CliNoDirectory", u"The folder does not exist", u"Der Ordner existiert nicht"},
    {u"CliLabelDevice", u"Device", u"Ger\u00e4t"},
    {u"CliDeviceIdentity", u"%1 (type %2, firmware version %3)", u"%1 (Typ %2, Firmware-Version %3)"},
    {u"CliLabelPort", u"Port", u"Port"},
    {u"CliLabelClock", u"Clock", u"Uhr"},
    {u"CliLabelMode", u"Mode", u"Modus"},
    {u"CliLabelWater", u"Water temperature", u"Wassertemperatur"},
    {u"CliFlashSummary", u"%1 blocks, %2 bytes in %3 s", u"%1 Bl\u00f6cke, %2 Bytes in %3 s"},
    {u"CliHelpPorts", u"list the serial ports as the window lists them",
     u"die seriellen Ports wie im Fenster auflisten"},
    {u"CliHelpInfo", u"identify the device; type, firmware version, clock, mode, channels, temperatures",
     u"das Ger\u00e4t erkennen; Typ, Firmware-Version, Uhr, Modus, Kan\u00e4le, Temperaturen"},
    {u"CliHelpExport", u"read every record and write the configuration file",
     u"alle Daten lesen und die Konfigurationsdatei schreiben"},
    {u"CliHelpImportConfig", u"import the configuration of the file and send it to the device",
     u"die Konfiguration aus der Datei \u00fcbernehmen und an das Ger\u00e4t senden"},
    {u"CliHelpImportSchedule", u"import the schedule of the file and send every line to the device",
     u"den Zeitplan aus der Datei \u00fcbernehmen und jede Zeile an das Ger\u00e4t senden"},
    {u"CliHelpSetChannels", u"set the four channel levels in percent (0..100, decimals allowed)",
     u"die vier Kan\u00e4le in Prozent setzen (0..100, mit Nachkommastellen)"},
    {u"CliHelpSetMode", u"set the operating mode", u"den Betriebsmodus setzen"},
    {u"CliHelpSyncTime", u"set the device clock to this computer's local time",
     u"die Ger\u00e4teuhr auf die Ortszeit dieses Computers stellen"},
    {u"CliHelpFlash", u"update the firmware through the bootloader",
     u"die Firmware per Bootloader aktualisieren"},
    {u"CliHelpBtInstall", u"install the device as a Bluetooth serial port",
     u"das Ger\u00e4t als serielle Bluetooth-Schnittstelle installieren"},
    {u"CliHelpBtUninstall", u"remove the device's Bluetooth serial port",
     u"die serielle Bluetooth-Schnittstelle des Ger\u00e4ts entfernen"},
    {u"CliHelpSky",
     u"the geo page's sun and moon text for a place and local time (no port needed);\n"
     u"the place is rounded to tenths of a degree as the lamp stores it, so the text\n"
     u"is the geo page's for the same typed place",
     u"Sonnen- und Mondtext der Geo-Seite f\u00fcr einen Ort und eine Ortszeit (ohne Port);\n"
     u"der Ort wird wie in der Lampe auf Zehntelgrad gerundet, so dass der Text der Geo-Seite\n"
     u"f\u00fcr denselben eingegebenen Ort entspricht"},
    {u"CliHelpServe",
     u"the lamp as Home Assistant devices over MQTT, until SIGINT or SIGTERM (exit code 0);\n"
     u"a broker or lamp that cannot be reached is tried again; the password only from a file",
     u"die Lampe als Home-Assistant-Ger\u00e4te \u00fcber MQTT, bis SIGINT oder SIGTERM (R\u00fcckgabewert "
     u"0);\n"
     u"ein nicht erreichbarer Broker oder eine nicht erreichbare Lampe wird erneut versucht; das Passwort "
     u"nur aus "
     u"einer Datei"},
    {u"CliUsageBadBroker", u"--mqtt needs HOST or HOST:PORT (port 1 to 65535), not \"%1\".",
     u"--mqtt braucht HOST oder HOST:PORT (Port 1 bis 65535), nicht \"%1\"."},
    {u"CliUsageBadTopicPrefix", u"%1 needs topic levels without + or # and without empty levels, not \"%2\".",
     u"%1 braucht Topic-Ebenen ohne + oder # und ohne leere Ebenen, nicht \"%2\"."},
    {u"MqttBrokerSettings", u"The broker settings cannot be used: %1",
     u"Die Broker-Einstellungen k\u00f6nnen nicht verwendet werden: %1"},
    {u"MqttBrokerConnected", u"MQTT broker %1: connected.", u"MQTT-Broker %1: verbunden."},
    {u"MqttBrokerFailed", u"MQTT broker %1: %2 (trying again)", u"MQTT-Broker %1: %2 (neuer Versuch folgt)"},
    {u"MqttLampOnline", u"Lamp on %1: online.", u"Lampe an %1: online."},
    {u"MqttLampUnavailable", u"Lamp on %1 unavailable: %2 (trying again)",
     u"Lampe an %1 nicht verf\u00fcgbar: %2 (neuer Versuch folgt)"},
    {u"MqttCommandRefused", u"Command on %1 ignored: %2", u"Befehl auf %1 ignoriert: %2"},
    {u"MqttBadPayload", u"\"%1\" is not a valid value", u"\"%1\" ist kein g\u00fcltiger Wert"},
    {u"MqttRetainedCommand", u"a retained command is not carried out (publish commands without retain)",
     u"ein gespeicherter (retained) Befehl wird nicht ausgef\u00fchrt (Befehle ohne Retain "
     u"ver\u00f6ffentlichen)"},
    {u"MqttLampNotReady", u"the lamp is not connected or its settings are not read yet",
     u"die Lampe ist nicht verbunden oder ihre Einstellungen sind noch nicht gelesen"},
    {u"MqttNotInWeatherMode", u"clouds and thunderstorms run only in the auto and geo modes",
     u"Wolken und Gewitter laufen nur in den Modi Auto und Geo"},
    {u"MqttMode", u"Mode", u"Modus"},
    {u"MqttWaterTemperature", u"Water temperature", u"Wassertemperatur"},
    {u"MqttBoardTemperature", u"Board temperature", u"Platinentemperatur"},
    {u"MqttClockOffset", u"Clock offset", u"Uhrabweichung"},
    {u"MqttSyncTime", u"Sync time", u"Uhrzeit stellen"},
    {u"MqttTriggerClouds", u"Trigger clouds", u"Wolken ausl\u00f6sen"},
    {u"MqttTriggerThunderstorm", u"Trigger thunderstorm", u"Gewitter ausl\u00f6sen"},
    {u"CliHelpOptions",
     u"--port PORT   serial port (default: the port the window used last)\n"
     u"--lang en|de  language of messages and errors (default: the system's)\n"
     u"--json        one JSON object on standard output (ports, info, export, imports, flash)\n\n"
     u"Exit codes: 0 success, 1 device or link failure, 2 usage error, 3 file error, 130 interrupted.",
     u"--port PORT   serieller Port (sonst der zuletzt im Fenster verwendete)\n"
     u"--lang en|de  Sprache der Meldungen und Fehler (sonst die des Systems)\n"
     u"--json        ein JSON-Objekt auf der Standardausgabe (ports, info, export, Importe, flash)\n\n"
     u"R\u00fcckgabewerte: 0 Erfolg, 1 Ger\u00e4te- oder Verbindungsfehler, 2 Aufruffehler, 3 Dateifehler, "
     u"130 abgebrochen."},
};

// On Linux these replace the texts that speak of Windows, the registry or the control panel:
// the translation tables' messages (written as the tables write them, "%s" and "\\n") and the
// registry lines above ("%1").
constexpr ExtraEntry LinuxEntries[] = {
    {u"WindowsError", u"System error %s: \"%s\".", u"Systemfehler %s: \"%s\"."},
    {u"DiscoveryCompleted",
     u"Scan finished. If the device could not be found, try again or use\\nthe Bluetooth settings for manual "
     u"detection. The pairing code is always 7451",
     u"Suche beendet. Falls das Ger\u00e4t nicht gefunden wurde, bitte erneut versuchen oder\\ndie "
     u"Bluetooth-Einstellungen zur manuellen Erkennung verwenden. Der Kopplungscode lautet immer 7451"},
    {u"RemovalCompleted",
     u"Scan finished. If the device could not be uninstalled, try again or use\\nthe Bluetooth settings to "
     u"remove it manually. The device needs to be disconnected.",
     u"Suche beendet. Falls das Ger\u00e4t nicht deinstalliert werden konnte, bitte erneut versuchen "
     u"oder\\ndie "
     u"Bluetooth-Einstellungen zum manuellen Entfernen verwenden. Das Ger\u00e4t muss dazu getrennt sein."},
    {u"TryColdStart", u"Switch off power supply, then try again, possibly restart the computer.",
     u"Stromversorgung ausschalten, dann erneut versuchen, eventuell den Computer neu starten."},
    {u"RegistryRead", u"Port remembered: %1", u"Gespeicherter Port: %1"},
    {u"RegistryWritten", u"Port remembered: %1", u"Gespeicherter Port: %1"},
};

const ExtraEntry* FindEntry(const auto& entries, const QString& key) {
    for (const ExtraEntry& entry : entries)
        if (key == QStringView(entry.key))
            return &entry;
    return nullptr;
}

QString TextOf(const ExtraEntry& entry, Language language) {
    return QString::fromUtf16(language == Language::German ? entry.german : entry.english);
}

} // namespace

std::optional<QString> PlatformText(const QString& key, Language language) {
#ifdef Q_OS_LINUX
    if (const ExtraEntry* entry = FindEntry(LinuxEntries, key))
        return TextOf(*entry, language);
#else
    Q_UNUSED(key);
    Q_UNUSED(language);
#endif
    return std::nullopt;
}

QString ExtraText(const QString& key, const QStringList& args) {
    std::optional<QString> text = PlatformText(key, CurrentLanguage());
    if (!text) {
        const ExtraEntry* entry = FindEntry(Entries, key);
        if (!entry)
            return key;
        text = TextOf(*entry, CurrentLanguage());
    }
    for (const QString& arg : args)
        *text = text->arg(arg);
    return *text;
}

} // namespace zorvex
