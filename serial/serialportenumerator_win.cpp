#include "serialportenumerator.h"
#include "setupapiport_win.h"

#include <algorithm>

namespace Kv {

namespace {

SerialPortInfo portNamed(const QString &portName)
{
    SerialPortInfo info;
    info.portName = portName;
    info.devicePath = comDevicePath(portName);
    info.openPath = info.devicePath;
    return info;
}

// A USB device with a serial number has it as the last part of its instance
// ID; one without gets a part made up by Windows, which always has an "&".
QString serialNumberOf(const QString &instanceId)
{
    const QStringList parts = instanceId.split(QLatin1Char('\\'));
    if (parts.size() != 3 || parts.first().compare(QLatin1String("USB"), Qt::CaseInsensitive) != 0 ||
        parts.last().contains(QLatin1Char('&')))
        return QString();
    return parts.last();
}

bool listed(const QList<SerialPortInfo> &ports, const QString &portName)
{
    for (const SerialPortInfo &port : ports) {
        if (port.portName == portName)
            return true;
    }
    return false;
}

} // namespace

void enumerateSerialPorts(QList<SerialPortInfo> &ports)
{
    QList<SerialPortInfo> found;
    std::vector<SetupApiPort> devices;
    listSetupApiPorts(devices);
    for (const SetupApiPort &device : devices) {
        // Parallel ports share the setup class, and a device without a
        // readable port name cannot be opened.
        if (comPortNumber(QString::fromStdWString(device.portName)) < 0)
            continue;
        SerialPortInfo info = portNamed(QString::fromStdWString(device.portName));
        info.physicalName = QString::fromStdWString(device.physicalName);
        info.friendlyName = QString::fromStdWString(device.friendlyName);
        info.enumeratorName = QString::fromStdWString(device.enumeratorName);
        setIdsFromHardwareId(info, QString::fromStdWString(device.hardwareId));
        info.serialNumber = serialNumberOf(QString::fromStdWString(device.instanceId));
        found.append(info);
    }
    // Virtual ports (com0com, Bluetooth, Wine's) are only in the driver map;
    // what the device listing already showed is not listed twice. The map
    // has no order of its own: by number.
    std::vector<std::wstring> mapped;
    listSerialCommPorts(mapped);
    QStringList names;
    for (const std::wstring &name : mapped) {
        const QString portName = QString::fromStdWString(name);
        if (comPortNumber(portName) >= 0 && !listed(found, portName) && !names.contains(portName))
            names.append(portName);
    }
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return comPortNumber(a) < comPortNumber(b); });
    for (const QString &portName : std::as_const(names))
        found.append(portNamed(portName));
    ports.append(found);
}

} // namespace Kv
