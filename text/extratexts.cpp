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
    {u"ImportNoChanges", u"The file changes no setting; the settings are sent to the device again.",
     u"Die Datei \u00e4ndert keine Einstellung; die Einstellungen werden erneut an das Ger\u00e4t gesendet."},
    {u"ImportCancelled", u"Import cancelled: nothing was changed.",
     u"Import abgebrochen: Es wurde nichts ge\u00e4ndert."},
    {u"ImportFailed", u"Import failed: %1", u"Import fehlgeschlagen: %1"},
    {u"ExportFailed", u"Export failed: %1", u"Export fehlgeschlagen: %1"},
    {u"ExportDone", u"Exported to %1", u"Exportiert nach %1"},
    {u"BackupWritten", u"Backup written: %1", u"Sicherung geschrieben: %1"},
    {u"BackupFailed", u"Backup not written: %1", u"Sicherung nicht geschrieben: %1"},
    {u"PortJoinGroup",
     u"No permission for %1: it belongs to the group \"%2\". Join it with \"sudo usermod -aG %2 $USER\", "
     u"then log out and in again.",
     u"Keine Berechtigung f\u00fcr %1: Es geh\u00f6rt der Gruppe \"%2\". Beitreten mit \"sudo usermod -aG %2 "
     u"$USER\", dann ab- und wieder anmelden."},
    {u"PortModemManager",
     u"%1 is busy: ModemManager probes a new serial port for a few seconds. Wait a moment, or stop it with "
     u"\"sudo systemctl stop ModemManager\".",
     u"%1 ist belegt: ModemManager pr\u00fcft einen neuen seriellen Port einige Sekunden lang. Kurz warten "
     u"oder ihn mit \"sudo systemctl stop ModemManager\" beenden."},
    {u"BackupIncomplete", u"Backup not written: not every record has been read from the device yet.",
     u"Sicherung nicht geschrieben: Noch nicht alle Daten wurden vom Ger\u00e4t gelesen."},
    {u"BluetoothNeedsCapability",
     u"Making a Bluetooth serial port needs the right CAP_NET_ADMIN: run \"sudo setcap cap_net_admin+ep "
     u"'%1'\" "
     u"and start the program again.",
     u"F\u00fcr eine serielle Bluetooth-Schnittstelle braucht das Programm das Recht CAP_NET_ADMIN: "
     u"\"sudo setcap cap_net_admin+ep '%1'\" ausf\u00fchren und das Programm neu starten."},
    {u"BluetoothNeedsGroup",
     u"Opening a Bluetooth serial port needs membership in the group \"%1\": run \"sudo usermod -aG %1 %2\", "
     u"then log out and in again.",
     u"Zum \u00d6ffnen einer seriellen Bluetooth-Schnittstelle muss der Benutzer zur Gruppe \"%1\" "
     u"geh\u00f6ren: "
     u"\"sudo usermod -aG %1 %2\" ausf\u00fchren, dann ab- und wieder anmelden."},
};

} // namespace

QString ExtraText(const QString& key, const QStringList& args) {
    for (const ExtraEntry& entry : Entries) {
        if (key != QStringView(entry.key))
            continue;
        QString text =
            QString::fromUtf16(CurrentLanguage() == Language::German ? entry.german : entry.english);
        for (const QString& arg : args)
            text = text.arg(arg);
        return text;
    }
    return key;
}

} // namespace zorvex
