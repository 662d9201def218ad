#pragma once

#include <QString>

namespace Kv {

// One serial port present on the machine: what the port list shows (portName)
// and what a serial device is opened with (openPath), plus descriptive fields.
struct SerialPortInfo
{
    QString portName;
    QString devicePath;
    QString openPath;
    QString physicalName;
    QString friendlyName;
    QString enumeratorName;
    int vendorId = 0;
    int productId = 0;
};

} // namespace Kv
