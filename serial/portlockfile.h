#pragma once

#include <QString>

#include <sys/types.h>

namespace Kv {

// The UUCP lock file of a serial port, LCK..<name> in the lock folder, which
// minicom, the UUCP tools and Qt Serial Port honour. Ours is written as Qt
// writes it (the process number, the program, the host, the machine and the
// boot, a line each), so that Qt programs do not take it for stale and the
// UUCP tools still read the number on the first line. Linux only: Windows has
// no lock files.
class PortLockFile
{
public:
    enum class Result {
        Taken,         // the file is ours until release()
        Held,          // a running process holds it: owner()
        NotUnderstood, // empty, garbage or unreadable, and ours to remove: left for the user to judge
        NoLockFile,    // no folder to write in
        PassedOver,    // names no running program, and this account may not remove it: path()
    };

    explicit PortLockFile(const QString &devicePath);
    ~PortLockFile();
    PortLockFile(const PortLockFile &) = delete;
    PortLockFile &operator=(const PortLockFile &) = delete;

    // A lock that names a process that has ended is removed first. One that
    // names no running program and that this account may not remove (another
    // account's, in the sticky lock folder) is passed over: left in place, it
    // would keep the port from every user, while the lock on the descriptor
    // (flock) and TIOCEXCL keep programs apart all the same.
    Result take();
    // Removes the file, unless someone has replaced it since.
    void release();
    QString path() const;
    // Held: the process the file names.
    qint64 owner() const;

    // The process that lock file contents name, 0 when they name none: ASCII
    // (blanks, the number, then a blank, a line end or nothing) or a native int
    // in a file of exactly 4 bytes, as older programs wrote it.
    static qint64 ownerIn(const QByteArray &contents);

private:
    QString lockPath;
    QByteArray contents;
    qint64 holder = 0;
    bool taken = false;
    dev_t device = 0;
    ino_t inode = 0;
};

} // namespace Kv
