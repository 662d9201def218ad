#include "serialportenumerator.h"
#include "setupapiport_win.h"

namespace Kv {

void enumerateSerialPorts(QList<SerialPortInfo> &ports)
{
    std::vector<SetupApiPort> devices;
    if (!listSetupApiPorts(devices))
        return;
    for (const SetupApiPort &device : devices) {
        SerialPortInfo info;
        info.portName = QString::fromStdWString(device.portName);
        // Parallel ports share the setup class, and a device without a
        // readable port name cannot be opened.
        if (comPortNumber(info.portName) < 0)
            continue;
        info.devicePath = comDevicePath(info.portName);
        info.openPath = info.devicePath;
        info.physicalName = QString::fromStdWString(device.physicalName);
        info.friendlyName = QString::fromStdWString(device.friendlyName);
        info.enumeratorName = QString::fromStdWString(device.enumeratorName);
        setIdsFromHardwareId(info, QString::fromStdWString(device.hardwareId));
        ports.append(info);
    }
}

} // namespace Kv
