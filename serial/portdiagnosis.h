#pragma once

#include "openerror.h"

#include <QCoreApplication>
#include <QString>

namespace Kv {

// Why a port would not open, with the names its explanation needs; the
// platform part finds it out, informativeText() tells the user the cause and
// the remedy.
class PortDiagnosis
{
    Q_DECLARE_TR_FUNCTIONS(PortDiagnosis)

public:
    enum class Cause {
        None,           // nothing stands in the way
        NoPortChosen,   // no port was listed
        NotInGroup,     // the node's group may open it; the account is not a member
        GroupNotActive, // the account is a member, but joined after this session began
        NoAccess,       // no group would help: owner and mode keep the account out
        InUse,          // another program holds the port
        NoSuchPort,     // nothing has that name: mistyped, or the adapter is unplugged
        Gone,           // the node is there, its device is not (any more)
        NotSerialPort,  // a file, a folder, a device that is no terminal
        WentAway,       // the port opened, then went before any data came
        Failed,         // anything else: the system's own text
    };

    Cause cause = Cause::None;
    QString port;         // as the user knows it: ttyUSB0, COM3
    QString user;         // NotInGroup, GroupNotActive: the account's name
    QString group;        // NotInGroup, GroupNotActive, NoAccess: the node's group
    QString owner;        // NoAccess: the node's owner
    QString mode;         // NoAccess: the node's permissions, as ls shows them
    QString program;      // InUse: the holder's name, when known
    qint64 processId = 0; // InUse: the holder's process, when known
    QString adapterMatch; // InUse: udev keys that match the adapter
    QString lockFile;     // InUse: a lock file in the way that names no running program
    QString systemError;  // Failed: the system's text for the error
    qint64 errorCode = 0; // Failed: the system's number for it

    QString informativeText() const;

    // Why the port at path did not open, from the failure its device kept.
    static PortDiagnosis ofFailedOpen(const QString &path, const OpenError &error);
    // Another process that has the serial device at path open, found without
    // opening it; cause None when there is none (or it cannot be seen).
    static PortDiagnosis ofOtherReader(const QString &path);

private:
    QString accessText() const;
    QString inUseText() const;
};

} // namespace Kv
