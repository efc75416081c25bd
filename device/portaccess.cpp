#include "portaccess.h"

#include "extratexts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>
#endif

using namespace Qt::StringLiterals;

namespace zorvex {

QString PortAccessHelp(const PortAccessFacts& facts) {
    if (facts.nodePath.isEmpty())
        return {};
    const QString& group = facts.ownerGroup;
    if (facts.refusal == PortRefusal::NoAccess) {
        // Joining root's group is no fix: the node needs a rule that hands it to a group.
        if (group.isEmpty() || group == u"root")
            return ExtraText(u"PortNoAccessRoot"_s, {facts.port});
        if (facts.currentGroups.contains(group))
            return ExtraText(u"PortNoAccessGroupMode"_s, {facts.port, group});
        if (facts.memberOf.contains(group))
            return ExtraText(u"PortNoAccessNewLogin"_s, {facts.port, group});
        return ExtraText(u"PortNoAccess"_s, {facts.port, group});
    }
    if (facts.modemManagerRunning && facts.nodeAgeSeconds && *facts.nodeAgeSeconds < ModemManagerProbeSeconds)
        return ExtraText(u"PortBusyModemManager"_s, {facts.port});
    return ExtraText(u"PortBusy"_s, {facts.port});
}

#ifdef Q_OS_UNIX
namespace {

QString GroupName(gid_t gid) {
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
        return QString::fromLocal8Bit(found->gr_name);
    return QString::number(gid);
}

QStringList GroupNames(const std::vector<gid_t>& gids) {
    QStringList names;
    for (const gid_t gid : gids)
        if (const QString name = GroupName(gid); !names.contains(name))
            names << name;
    return names;
}

} // namespace

QStringList ConfiguredGroups() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return {};
    int count = 64;
    std::vector<gid_t> gids(static_cast<std::size_t>(count));
    while (::getgrouplist(found->pw_name, found->pw_gid, gids.data(), &count) < 0)
        gids.resize(static_cast<std::size_t>(count));
    gids.resize(static_cast<std::size_t>(count));
    return GroupNames(gids);
}

QStringList SessionGroups() {
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> gids(static_cast<std::size_t>(count > 0 ? count : 0));
    if (count > 0 && ::getgroups(count, gids.data()) < 0)
        gids.clear();
    gids.push_back(::getegid());
    return GroupNames(gids);
}

namespace {

bool ModemManagerRunning() {
    const QStringList processes = QDir(u"/proc"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : processes) {
        if (pid.isEmpty() || !pid.front().isDigit())
            continue;
        QFile comm(u"/proc/"_s + pid + u"/comm"_s);
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "ModemManager")
            return true;
    }
    return false;
}

} // namespace

QString DeviceNodeGroup(const QString& path) {
    struct stat node {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &node) != 0)
        return {};
    return GroupName(node.st_gid);
}

PortAccessFacts ProbePortAccess(const QString& port) {
    PortAccessFacts facts;
    facts.port = port;
    // As the serial port resolves it: a path as it is, a bare name under /dev.
    const QString path = port.contains(u'/') ? port : u"/dev/"_s + port;
    const QByteArray nativePath = QFile::encodeName(path);
    struct stat node {};
    if (path.isEmpty() || ::stat(nativePath.constData(), &node) != 0)
        return facts;
    facts.nodePath = path;
    facts.ownerGroup = GroupName(node.st_gid);
    facts.refusal = ::access(nativePath.constData(), R_OK | W_OK) != 0 && errno == EACCES
                        ? PortRefusal::NoAccess
                        : PortRefusal::Busy;
    facts.memberOf = ConfiguredGroups();
    facts.currentGroups = SessionGroups();
    facts.nodeAgeSeconds = QDateTime::currentSecsSinceEpoch() - static_cast<qint64>(node.st_ctime);
    facts.modemManagerRunning = ModemManagerRunning();
    return facts;
}
#else
QStringList ConfiguredGroups() {
    return {};
}
QStringList SessionGroups() {
    return {};
}
QString DeviceNodeGroup(const QString&) {
    return {};
}
PortAccessFacts ProbePortAccess(const QString& port) {
    PortAccessFacts facts;
    facts.port = port;
    return facts;
}
#endif

} // namespace zorvex
