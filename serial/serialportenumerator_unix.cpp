#include "serialportenumerator_unix.h"
#include "serialportenumerator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <sys/stat.h>

namespace Kv {

namespace {

QString readAttribute(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

// Follows symbolic links, as opening the port does.
bool isCharacterDevice(const QString &path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISCHR(status.st_mode);
}

QString subsystemOf(const QString &deviceDir)
{
    const QFileInfo link(deviceDir + QStringLiteral("/subsystem"));
    if (!link.isSymLink())
        return {};
    return QFileInfo(link.symLinkTarget()).fileName();
}

// The serial core (kernel 6.5 on) and usb-serial put device layers of their
// own between a tty and its hardware: the bus is the first other subsystem.
QString busOf(QString deviceDir, const QString &devicesRoot)
{
    while (deviceDir.startsWith(devicesRoot + QLatin1Char('/'))) {
        const QString subsystem = subsystemOf(deviceDir);
        if (!subsystem.isEmpty() && subsystem != QLatin1String("serial-base") &&
            subsystem != QLatin1String("usb-serial"))
            return subsystem.toUpper();
        deviceDir = QFileInfo(deviceDir).path();
    }
    return {};
}

// The USB device (the one with idVendor) at or above a tty's device, if any.
QString usbDeviceOf(QString deviceDir, const QString &devicesRoot)
{
    while (deviceDir.startsWith(devicesRoot + QLatin1Char('/'))) {
        if (QFileInfo::exists(deviceDir + QStringLiteral("/idVendor")))
            return deviceDir;
        deviceDir = QFileInfo(deviceDir).path();
    }
    return {};
}

// Windows' form, USB\VID_0403&PID_6001&REV_0600, so that the shared rule reads
// the numbers. sysfs gives four lower-case hexadecimal digits per field.
QString usbHardwareId(const QString &usbDir)
{
    QString id = QStringLiteral("USB\\VID_") + readAttribute(usbDir + QStringLiteral("/idVendor")) +
                 QStringLiteral("&PID_") + readAttribute(usbDir + QStringLiteral("/idProduct"));
    const QString revision = readAttribute(usbDir + QStringLiteral("/bcdDevice"));
    if (!revision.isEmpty())
        id += QStringLiteral("&REV_") + revision;
    return id.toUpper();
}

bool readSysfsPort(const QString &classDir, const QString &entry, const QString &devicesRoot,
                   const QString &devRoot, SerialPortInfo &info)
{
    const QString ttyDir = classDir + QLatin1Char('/') + entry;
    const QFileInfo deviceLink(ttyDir + QStringLiteral("/device"));
    // Virtual consoles and pseudo-terminals have no device. Bluetooth ports
    // bound before a connection exists have none yet either.
    const bool bluetooth = entry.startsWith(QLatin1String("rfcomm"));
    if (!deviceLink.exists() && !bluetooth)
        return false;
    // The 8250 driver registers ports for UARTs that are not there; their
    // type is 0 (PORT_UNKNOWN), and opening them fails.
    bool numeric = false;
    if (readAttribute(ttyDir + QStringLiteral("/type")).toInt(&numeric) == 0 && numeric)
        return false;

    // sysfs writes a "/" in a device name as "!".
    const QString name = QString(entry).replace(QLatin1Char('!'), QLatin1Char('/'));
    const QString nodePath = devRoot + QLatin1Char('/') + name;
    if (!isCharacterDevice(nodePath))
        return false;

    info.portName = name;
    info.devicePath = nodePath;
    info.openPath = nodePath;
    QString description;
    if (deviceLink.exists()) {
        const QString deviceDir = deviceLink.canonicalFilePath();
        info.physicalName = deviceDir;
        info.enumeratorName = busOf(deviceDir, devicesRoot);
        const QString usbDir = usbDeviceOf(deviceDir, devicesRoot);
        if (!usbDir.isEmpty()) {
            description = readAttribute(usbDir + QStringLiteral("/product"));
            info.manufacturer = readAttribute(usbDir + QStringLiteral("/manufacturer"));
            info.product = description;
            info.serialNumber = readAttribute(usbDir + QStringLiteral("/serial"));
            setIdsFromHardwareId(info, usbHardwareId(usbDir));
        }
    } else {
        info.enumeratorName = QStringLiteral("BLUETOOTH");
    }
    info.friendlyName =
        description.isEmpty() ? name : description + QStringLiteral(" (") + name + QLatin1Char(')');
    return true;
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Runs of digits compare by value, so ttyUSB2 comes before ttyUSB10.
bool naturalLess(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isAsciiDigit(a[i]) && isAsciiDigit(b[j])) {
            while (i < a.size() - 1 && a[i] == QLatin1Char('0') && isAsciiDigit(a[i + 1]))
                ++i;
            while (j < b.size() - 1 && b[j] == QLatin1Char('0') && isAsciiDigit(b[j + 1]))
                ++j;
            const qsizetype startA = i;
            const qsizetype startB = j;
            while (i < a.size() && isAsciiDigit(a[i]))
                ++i;
            while (j < b.size() && isAsciiDigit(b[j]))
                ++j;
            if (i - startA != j - startB)
                return i - startA < j - startB;
            const int order =
                QStringView(a).mid(startA, i - startA).compare(QStringView(b).mid(startB, j - startB));
            if (order != 0)
                return order < 0;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return i == a.size() && j < b.size();
}

// The links udev makes in /dev/serial/by-id, named after the adapter's maker,
// product and serial number, by the node they point to.
QHash<QString, QString> stablePaths(const QString &devRoot)
{
    QHash<QString, QString> byNode;
    const QString folder = devRoot + QStringLiteral("/serial/by-id");
    const QFileInfoList links = QDir(folder).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo &link : links) {
        if (link.isSymLink())
            byNode.insert(QDir::cleanPath(link.symLinkTarget()), link.absoluteFilePath());
    }
    return byNode;
}

void appendSysfsPorts(QList<SerialPortInfo> &found, const QString &sysfsRoot, const QString &devRoot)
{
    const QString classDir = sysfsRoot + QStringLiteral("/class/tty");
    const QStringList entries = QDir(classDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    const QString devicesRoot = QFileInfo(sysfsRoot + QStringLiteral("/devices")).canonicalFilePath();
    QList<SerialPortInfo> ports;
    for (const QString &entry : entries) {
        SerialPortInfo info;
        if (readSysfsPort(classDir, entry, devicesRoot, devRoot, info))
            ports.append(info);
    }
    std::stable_sort(ports.begin(), ports.end(), [](const SerialPortInfo &a, const SerialPortInfo &b) {
        return naturalLess(a.portName, b.portName);
    });
    const QHash<QString, QString> stable = stablePaths(devRoot);
    for (SerialPortInfo &port : ports)
        port.stablePath = stable.value(port.devicePath);
    found.append(ports);
}

void appendExtraPorts(QList<SerialPortInfo> &found, const QString &devRoot)
{
    const QStringList paths = extraPortPaths();
    for (const QString &path : paths) {
        const QString openPath = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        if (!isCharacterDevice(openPath))
            continue;
        const bool listed = std::any_of(found.cbegin(), found.cend(), [&](const SerialPortInfo &port) {
            return port.openPath == openPath;
        });
        if (listed)
            continue;
        SerialPortInfo info;
        // A pseudo-terminal is named like its node below /dev (pts/3); a link
        // elsewhere (socat's link=/tmp/ttyV0) by its whole path.
        info.portName =
            openPath.startsWith(devRoot + QLatin1Char('/')) ? openPath.mid(devRoot.size() + 1) : openPath;
        info.devicePath = openPath;
        info.openPath = openPath;
        info.friendlyName = info.portName;
        found.append(info);
    }
}

} // namespace

void enumerateSerialPorts(QList<SerialPortInfo> &ports, const QString &sysfsRoot, const QString &devRoot)
{
    const QString dev = QDir::cleanPath(devRoot);
    QList<SerialPortInfo> found;
    appendSysfsPorts(found, QDir::cleanPath(sysfsRoot), dev);
    appendExtraPorts(found, dev);
    ports.append(found);
}

void enumerateSerialPorts(QList<SerialPortInfo> &ports)
{
    enumerateSerialPorts(ports, QStringLiteral("/sys"), QStringLiteral("/dev"));
}

} // namespace Kv
