#pragma once

#include <QString>

#include <optional>

namespace zorvex {

// The one value that persists between runs: the port of the last complete download, "Port"
// under the program's settings key. Failures are silent.
class PortSettings {
public:
    virtual ~PortSettings() = default;
    // The remembered port entry (empty when the value is missing); nothing when the key itself
    // does not exist.
    virtual std::optional<QString> ReadPort() = 0;
    virtual void WritePort(const QString& port) = 0;
    // Deletes the whole key.
    virtual void DeleteKey() = 0;
};

// QSettings under organisation and application "ZORVEXPRO" (the registry key
// Software\ZORVEXPRO on Windows, ~/.config/ZORVEXPRO/ZORVEXPRO.conf on Linux), or an INI file
// of the given path (tests).
class QSettingsPortSettings : public PortSettings {
public:
    explicit QSettingsPortSettings(QString iniPath = {});
    std::optional<QString> ReadPort() override;
    void WritePort(const QString& port) override;
    void DeleteKey() override;

private:
    QString m_iniPath;
};

} // namespace zorvex
