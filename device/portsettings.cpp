#include "portsettings.h"

#include <QSettings>

#include <memory>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {
std::unique_ptr<QSettings> Open(const QString& iniPath) {
    if (iniPath.isEmpty())
        return std::make_unique<QSettings>(u"ZORVEXPRO"_s, u"ZORVEXPRO"_s);
    return std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}
} // namespace

QSettingsPortSettings::QSettingsPortSettings(QString iniPath) : m_iniPath(std::move(iniPath)) {}

std::optional<QString> QSettingsPortSettings::ReadPort() {
    const auto settings = Open(m_iniPath);
    if (settings->status() != QSettings::NoError || settings->allKeys().isEmpty())
        return std::nullopt;
    return settings->value(u"Port"_s).toString();
}

void QSettingsPortSettings::WritePort(const QString& port) {
    const auto settings = Open(m_iniPath);
    settings->setValue(u"Port"_s, port);
    settings->sync();
}

void QSettingsPortSettings::DeleteKey() {
    const auto settings = Open(m_iniPath);
    settings->clear();
    settings->sync();
}

} // namespace zorvex
