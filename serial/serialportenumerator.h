#pragma once

#include "serialportinfo.h"

#include <QList>
#include <QStringList>

namespace Kv {

// Appends one record for each serial port present, in the platform's order.
// The list is not cleared first; when the platform cannot list its devices,
// the list is left unchanged.
void enumerateSerialPorts(QList<SerialPortInfo> &ports);

// The paths named in the colon-separated variable DATALOGGER_EXTRA_PORTS:
// ports that no platform listing shows (pseudo-terminals of simulators and
// network bridges), as given.
QStringList extraPortPaths();

// Rules shared by the platform backends.

// The decimal number after a leading "COM" (COM3 gives 3), or -1 when the name
// does not start with "COM" and a digit. Too many digits give 0.
int comPortNumber(const QString &portName);

// The path a COM port is opened with: from COM10 on, Windows reaches the port
// only through the device namespace ("\\.\COM10").
QString comDevicePath(const QString &portName);

// Sets vendorId and productId from the hexadecimal VID_ and PID_ fields of a
// hardware identifier such as USB\VID_0403&PID_6001&REV_0600 (any letter case).
// A field that is not a hexadecimal number gives 0; an identifier without the
// fields leaves both numbers as they are.
void setIdsFromHardwareId(SerialPortInfo &info, const QString &hardwareId);

} // namespace Kv
