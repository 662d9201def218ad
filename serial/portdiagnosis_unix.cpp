#include "portdiagnosis_unix.h"
#include "portpath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

#include <dirent.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace Kv {

namespace {

QString userName(uid_t uid)
{
    std::vector<char> buffer(16384);
    passwd entry, *found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return QString::fromLocal8Bit(found->pw_name);
    return QString::number(uid);
}

// The name, or empty when the group database does not have the group.
QString groupName(gid_t gid)
{
    std::vector<char> buffer(65536);
    group entry, *found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return QString::fromLocal8Bit(found->gr_name);
    return {};
}

bool inSession(gid_t gid)
{
    if (::getegid() == gid)
        return true;
    std::vector<gid_t> groups(::getgroups(0, nullptr) + 1);
    const int count = ::getgroups(static_cast<int>(groups.size()), groups.data());
    for (int i = 0; i < count; ++i) {
        if (groups[i] == gid)
            return true;
    }
    return false;
}

// Membership as the group database records it, the primary group included:
// what the next login will have.
bool onPaper(uid_t uid, gid_t gid)
{
    std::vector<char> buffer(16384);
    passwd entry, *found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return false;
    std::vector<gid_t> groups(64);
    int count = static_cast<int>(groups.size());
    if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) {
        groups.resize(count);
        if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0)
            return false;
    }
    for (int i = 0; i < count; ++i) {
        if (groups[i] == gid)
            return true;
    }
    return false;
}

// Permissions as ls shows them: crw-rw----.
QString modeText(unsigned mode)
{
    QString text = S_ISCHR(mode)    ? QStringLiteral("c")
                   : S_ISDIR(mode)  ? QStringLiteral("d")
                   : S_ISFIFO(mode) ? QStringLiteral("p")
                   : S_ISBLK(mode)  ? QStringLiteral("b")
                                    : QStringLiteral("-");
    for (int shift = 6; shift >= 0; shift -= 3) {
        text += QLatin1Char((mode >> shift) & 4 ? 'r' : '-');
        text += QLatin1Char((mode >> shift) & 2 ? 'w' : '-');
        text += QLatin1Char((mode >> shift) & 1 ? 'x' : '-');
    }
    return text;
}

struct Opener
{
    pid_t pid;
    bool locked; // a descriptor of it holds a lock (flock, fcntl) on the device
};

// Processes with a descriptor on path, from /proc: those whose descriptors
// this account may not read (another account's, or all under hidepid) are
// not seen. Never waits on the files themselves: only the links are read.
std::vector<Opener> processesWithOpen(const QString &path)
{
    std::vector<Opener> found;
    const QByteArray target = QFile::encodeName(QFileInfo(path).canonicalFilePath());
    if (target.isEmpty())
        return found;
    DIR *proc = ::opendir("/proc");
    if (!proc)
        return found;
    while (const dirent *process = ::readdir(proc)) {
        char *end = nullptr;
        const long pid = std::strtol(process->d_name, &end, 10);
        if (pid <= 0 || *end != '\0')
            continue;
        const QByteArray fdPath = QByteArray("/proc/") + process->d_name + "/fd";
        DIR *fds = ::opendir(fdPath.constData());
        if (!fds)
            continue;
        std::optional<Opener> opener;
        while (const dirent *fd = ::readdir(fds)) {
            char link[4096];
            const ssize_t size = ::readlinkat(::dirfd(fds), fd->d_name, link, sizeof link);
            if (size != target.size() || target != QByteArray::fromRawData(link, size))
                continue;
            // A lock shows in the descriptor's information, whoever took it:
            // a child that inherited it holds it as well.
            QFile info(QByteArray("/proc/") + process->d_name + "/fdinfo/" + fd->d_name);
            const bool locked = info.open(QIODevice::ReadOnly) && info.readAll().contains("\nlock:");
            opener = Opener{static_cast<pid_t>(pid), locked || (opener && opener->locked)};
        }
        if (opener)
            found.push_back(*opener);
        ::closedir(fds);
    }
    ::closedir(proc);
    return found;
}

// The program's name: its command's file name, or the kernel's short name.
QString programName(qint64 pid)
{
    QFile command(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (command.open(QIODevice::ReadOnly)) {
        const QByteArray first = command.read(4096).split('\0').value(0);
        if (!first.isEmpty())
            return QFileInfo(QFile::decodeName(first)).fileName();
    }
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed() : QString();
}

// The udev keys that match the USB device behind the node at path, if any.
QString usbAdapterMatch(const struct stat &node, const QString &sysfsRoot)
{
    const QString device = QFileInfo(QStringLiteral("%1/dev/char/%2:%3/device")
                                         .arg(sysfsRoot)
                                         .arg(major(node.st_rdev))
                                         .arg(minor(node.st_rdev)))
                               .canonicalFilePath();
    const QString devicesRoot = QFileInfo(sysfsRoot + QStringLiteral("/devices")).canonicalFilePath();
    for (QString dir = device; !dir.isEmpty() && dir.startsWith(devicesRoot + QLatin1Char('/'));
         dir = QFileInfo(dir).path()) {
        QFile vendor(dir + QStringLiteral("/idVendor")), product(dir + QStringLiteral("/idProduct"));
        if (vendor.open(QIODevice::ReadOnly) && product.open(QIODevice::ReadOnly)) {
            return QStringLiteral("SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"%1\", ATTRS{idProduct}==\"%2\"")
                .arg(QString::fromLatin1(vendor.readAll().trimmed()),
                     QString::fromLatin1(product.readAll().trimmed()));
        }
    }
    return {};
}

// The process with a lock (flock, fcntl) on the node, from /proc/locks, whose
// lines give the process and the file system's major:minor (hex) and the
// inode: "1: FLOCK  ADVISORY  WRITE 4711 00:18:3 0 EOF". 0 when there is none.
qint64 descriptorLockHolder(const struct stat &node)
{
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray file = QString::asprintf("%02x:%02x:%llu", major(node.st_dev), minor(node.st_dev),
                                              static_cast<unsigned long long>(node.st_ino))
                                .toLatin1();
    for (const QByteArray &line : locks.readAll().split('\n')) {
        // A waiting lock has "->" as its second word.
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.size() >= 6 && words[5] == file && (words[1] == "FLOCK" || words[1] == "POSIX")) {
            // The process that took the lock may have ended, leaving it to a
            // child that inherited the descriptor.
            const qint64 pid = words[4].toLongLong();
            if (pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM))
                return pid;
        }
    }
    return 0;
}

// The process that holds the port: the one its lock file or a lock on the
// device names, else the only other process that has it open. Where several
// do, any one would be a guess. Returns how many others have it open.
std::size_t findHolder(PortFacts &facts, const struct stat *node, const QString &sysfsRoot, bool othersOnly)
{
    std::vector<Opener> others;
    for (const Opener &opener : processesWithOpen(facts.path)) {
        if (opener.pid != ::getpid())
            others.push_back(opener);
    }
    const auto locker = std::find_if(others.begin(), others.end(), [](const Opener &o) { return o.locked; });
    if (facts.error.step == OpenError::LockFile)
        facts.holder = facts.error.lockOwner;
    else if (locker != others.end())
        facts.holder = locker->pid;
    else if (node)
        facts.holder = descriptorLockHolder(*node);
    if (othersOnly && facts.holder == ::getpid())
        facts.holder = 0;
    if (facts.holder == 0 && facts.error.step != OpenError::LockFile && others.size() == 1)
        facts.holder = others.front().pid;
    if (facts.holder > 0)
        facts.holderProgram = programName(facts.holder);
    if (node && facts.holderProgram == QLatin1String("ModemManager"))
        facts.adapterMatch = usbAdapterMatch(*node, sysfsRoot);
    return others.size();
}

bool busy(const OpenError &error)
{
    return error.step == OpenError::LockFile || error.errorNumber == EBUSY ||
           error.errorNumber == EWOULDBLOCK;
}

} // namespace

PortFacts gatherPortFacts(const QString &path, const OpenError &error)
{
    PortFacts facts;
    facts.path = path;
    facts.error = error;
    struct stat node;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &node) != 0) {
        if (busy(error))
            findHolder(facts, nullptr, {}, false);
        return facts;
    }
    facts.nodeFound = true;
    facts.mode = node.st_mode;
    facts.controllingTerminal = S_ISCHR(node.st_mode) && major(node.st_rdev) == 5 && minor(node.st_rdev) == 0;
    facts.owner = userName(node.st_uid);
    facts.group = groupName(node.st_gid);
    facts.groupKnown = !facts.group.isEmpty();
    if (!facts.groupKnown)
        facts.group = QString::number(node.st_gid);
    facts.user = userName(::geteuid());
    facts.groupInSession = inSession(node.st_gid);
    facts.groupOnPaper = onPaper(::geteuid(), node.st_gid);
    if (busy(error))
        findHolder(facts, &node, QStringLiteral("/sys"), false);
    return facts;
}

PortDiagnosis diagnose(const PortFacts &facts)
{
    PortDiagnosis result;
    result.port = portShownAs(facts.path);
    const int error = facts.error.errorNumber;
    if (facts.path.isEmpty()) {
        result.cause = PortDiagnosis::Cause::NoPortChosen;
    } else if ((facts.nodeFound && !S_ISCHR(facts.mode)) || facts.controllingTerminal || error == ENOTTY) {
        // Without a controlling terminal, /dev/tty fails with ENXIO as an
        // unplugged device does; with one, it would have opened.
        result.cause = PortDiagnosis::Cause::NotSerialPort;
    } else if (busy(facts.error)) {
        result.cause = PortDiagnosis::Cause::InUse;
        result.processId = facts.holder;
        result.program = facts.holderProgram;
        result.adapterMatch = facts.adapterMatch;
        if (facts.error.step == OpenError::LockFile && facts.holder == 0)
            result.lockFile = facts.error.lockFile;
    } else if (error == ENOENT || error == ENOTDIR) {
        result.cause = PortDiagnosis::Cause::NoSuchPort;
    } else if (error == ENODEV || error == ENXIO) {
        // A node left behind by its device (devtmpfs removes the node of an
        // unplugged adapter, which then gives ENOENT).
        result.cause = PortDiagnosis::Cause::Gone;
    } else if ((error == EACCES || error == EPERM) && facts.nodeFound) {
        const bool groupMayOpen = (facts.mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
        result.group = facts.group;
        result.user = facts.user;
        if (groupMayOpen && facts.groupKnown && !facts.groupInSession) {
            result.cause =
                facts.groupOnPaper ? PortDiagnosis::Cause::GroupNotActive : PortDiagnosis::Cause::NotInGroup;
        } else {
            result.cause = PortDiagnosis::Cause::NoAccess;
            result.owner = facts.owner;
            result.mode = modeText(facts.mode);
        }
    } else {
        // A failure without an errno (settings the layer refuses) has its Win32 code.
        result.cause = PortDiagnosis::Cause::Failed;
        result.errorCode = error != 0 ? error : facts.error.win32Error;
        result.systemError = error != 0 ? qt_error_string(error) : QStringLiteral("Win32");
    }
    return result;
}

PortDiagnosis otherReader(const QString &path, const QString &sysfsRoot)
{
    struct stat node;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &node) != 0 || !S_ISCHR(node.st_mode))
        return {};
    const QString device = QStringLiteral("%1/dev/char/%2:%3/device")
                               .arg(sysfsRoot)
                               .arg(major(node.st_rdev))
                               .arg(minor(node.st_rdev));
    if (!QFileInfo::exists(device))
        return {};
    PortFacts facts;
    facts.path = path;
    if (findHolder(facts, &node, sysfsRoot, true) == 0)
        return {};
    PortDiagnosis result;
    result.cause = PortDiagnosis::Cause::InUse;
    result.port = portShownAs(path);
    result.processId = facts.holder;
    result.program = facts.holderProgram;
    result.adapterMatch = facts.adapterMatch;
    return result;
}

PortDiagnosis PortDiagnosis::ofFailedOpen(const QString &path, const OpenError &error)
{
    return diagnose(gatherPortFacts(path, error));
}

PortDiagnosis PortDiagnosis::ofOtherReader(const QString &path)
{
    return otherReader(path, QStringLiteral("/sys"));
}

} // namespace Kv
