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
    // What tells one adapter from another, where the platform knows it.
    QString manufacturer;
    QString product;
    QString serialNumber;
    // A name that stays the same for this adapter whatever order adapters are
    // plugged in (Linux: /dev/serial/by-id/...); empty when there is none.
    QString stablePath;
};

} // namespace Kv
