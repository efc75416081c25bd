#include "portaccess.h"

#include "extratexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <grp.h>
#include <unistd.h>
#include <vector>

namespace zorvex {

using namespace Qt::StringLiterals;

QString PortAccessHint(const PortAccessFacts& facts) {
    if (!facts.ownerGroup.isEmpty() && facts.ownerGroup != u"root"_s &&
        !facts.processGroups.contains(facts.ownerGroup))
        return ExtraText(u"PortJoinGroup"_s, {facts.path, facts.ownerGroup});
    if (facts.modemManagerRunning)
        return ExtraText(u"PortModemManager"_s, {facts.path});
    return {};
}

PortAccessFacts GatherPortAccessFacts(const QString& path) {
    PortAccessFacts facts;
    // A bare name is a node under /dev, as the serial port opens it.
    facts.path = path.contains(u'/') ? path : u"/dev/"_s + path;
    facts.ownerGroup = QFileInfo(facts.path).canonicalFilePath().isEmpty()
                           ? QString()
                           : QFileInfo(QFileInfo(facts.path).canonicalFilePath()).group();
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
    if (count > 0 && ::getgroups(count, groups.data()) == count) {
        groups.push_back(::getegid());
        for (const gid_t gid : groups)
            if (const group* entry = ::getgrgid(gid))
                facts.processGroups << QString::fromLocal8Bit(entry->gr_name);
    }
    for (const QString& pid : QDir(u"/proc"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(u"/proc/"_s + pid + u"/comm"_s);
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "ModemManager") {
            facts.modemManagerRunning = true;
            break;
        }
    }
    return facts;
}

bool FirstPortAccessHint() {
    static std::atomic<bool> given{false};
    return !given.exchange(true);
}

} // namespace zorvex
