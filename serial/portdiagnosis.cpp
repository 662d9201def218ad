#include "portdiagnosis.h"

namespace Kv {

namespace {

// Commands and rules stay as the system needs them, outside the translations.
QString usermodCommand(const QString &group, const QString &user)
{
    return QStringLiteral("sudo usermod -aG %1 %2").arg(group, user);
}

QString accessRule(const QString &port)
{
    return QStringLiteral("SUBSYSTEM==\"tty\", KERNEL==\"%1\", GROUP=\"dialout\", MODE=\"0660\"").arg(port);
}

} // namespace

QString PortDiagnosis::informativeText() const
{
    switch (cause) {
    case Cause::None:
        return {};
    case Cause::NoPortChosen:
        return tr("No serial port was found. Connect the tester's cable or USB adapter, check that the "
                  "adapter's driver is installed, then refresh the port list.");
    case Cause::NotInGroup:
    case Cause::GroupNotActive:
    case Cause::NoAccess:
        return accessText();
    case Cause::InUse:
        return inUseText();
    case Cause::NoSuchPort:
        return tr("%1 does not exist: check the name, or plug in the adapter and refresh the port list.",
                  "%1 is a port (ttyUSB0)")
            .arg(port);
    case Cause::Gone:
        return tr("%1 is no longer there: is the adapter plugged in? Plug it in, then refresh the port "
                  "list.",
                  "%1 is a port (ttyUSB0)")
            .arg(port);
    case Cause::NotSerialPort:
        return tr("%1 is not a serial port.", "%1 is a port (ttyUSB0) or a path").arg(port);
    case Cause::WentAway:
        return tr("%1 went away while waiting for the tester: is the adapter plugged in? Plug it in, then "
                  "refresh the port list and download again.",
                  "%1 is a port (ttyUSB0)")
            .arg(port);
    case Cause::Failed:
        return tr("%1 could not be opened: %2 (error %3).",
                  "%1 is a port (ttyUSB0), %2 the system's error text, %3 its number")
            .arg(port, systemError, QString::number(errorCode));
    }
    return {};
}

// The account may not open the port.
QString PortDiagnosis::accessText() const
{
    switch (cause) {
    case Cause::NotInGroup:
        return tr("Only members of the group %2 may open %1, and your account %3 is not one. Add it with\n"
                  "%4\nthen log out and in again.",
                  "%1 is a port (ttyUSB0), %2 a group (dialout), %3 a user name, %4 a command")
            .arg(port, group, user, usermodCommand(group, user));
    case Cause::GroupNotActive:
        return tr("Only members of the group %2 may open %1. Your account %3 is one, but this session "
                  "began before it joined: log out and in again.",
                  "%1 is a port (ttyUSB0), %2 a group (dialout), %3 a user name")
            .arg(port, group, user);
    case Cause::NoAccess:
        return tr("Your account may not open %1 (owner %2, group %3, mode %4), and membership of its "
                  "group would not change that. Check the device's owner and mode, or add a udev rule "
                  "such as\n%5",
                  "%1 is a port (ttyUSB0), %2 a user name, %3 a group, %4 a mode (crw-------), %5 a "
                  "udev rule")
            .arg(port, owner, group, mode, accessRule(port));
    default:
        return {};
    }
}

// Another program holds the port: which, and how to keep it away.
QString PortDiagnosis::inUseText() const
{
    if (!lockFile.isEmpty()) {
        return tr("%1 is locked by %2, which names no running program: if no program uses the port, "
                  "remove that file.",
                  "%1 is a port (ttyUSB0), %2 a lock file's path")
            .arg(port, lockFile);
    }
    if (program == QLatin1String("ModemManager")) {
        const QString match = adapterMatch.isEmpty()
                                  ? QStringLiteral("SUBSYSTEM==\"tty\", KERNEL==\"%1\"").arg(port)
                                  : adapterMatch;
        return tr("%1 is in use by ModemManager (process %2), which probes new serial devices for "
                  "modems. Keep it away from the adapter with a udev rule such as\n%3\nor stop it "
                  "with\n%4",
                  "%1 is a port (ttyACM0), %2 a process number, %3 a udev rule, %4 a command")
            .arg(port, QString::number(processId), match + QStringLiteral(", ENV{ID_MM_DEVICE_IGNORE}=\"1\""),
                 QStringLiteral("sudo systemctl stop ModemManager"));
    }
    if (program == QLatin1String("brltty")) {
        return tr("%1 is in use by brltty (process %2), a braille display driver that claims USB "
                  "serial adapters. Where no braille display is used, remove it with\n%3\nor mask "
                  "it with\n%4",
                  "%1 is a port (ttyUSB0), %2 a process number, %3 and %4 commands")
            .arg(port, QString::number(processId), QStringLiteral("sudo apt remove brltty"),
                 QStringLiteral("sudo systemctl mask brltty.service brltty-udev.service"));
    }
    if (!program.isEmpty() && processId > 0) {
        return tr("%1 is in use by %2 (process %3). Close that program, then try again.",
                  "%1 is a port (ttyUSB0), %2 a program name, %3 a process number")
            .arg(port, program, QString::number(processId));
    }
    if (processId > 0) {
        return tr("%1 is in use by process %2. Close the program that holds it, then try again.",
                  "%1 is a port (ttyUSB0), %2 a process number")
            .arg(port, QString::number(processId));
    }
    return tr("%1 is in use by another program. Close it, then try again.", "%1 is a port (ttyUSB0)")
        .arg(port);
}

} // namespace Kv
