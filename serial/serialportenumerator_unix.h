#pragma once

#include "serialportinfo.h"

#include <QList>

namespace Kv {

// The Linux listing with its roots as parameters, so that a test can point it
// at a sysfs tree of its own: the ports with a device behind them found below
// sysfsRoot/class/tty whose nodes exist below devRoot, in natural name order
// (ttyUSB2 before ttyUSB10), then the character devices named in the
// colon-separated variable DATALOGGER_EXTRA_PORTS (pseudo-terminals, which
// sysfs does not show). Appends like enumerateSerialPorts(ports).
void enumerateSerialPorts(QList<SerialPortInfo> &ports, const QString &sysfsRoot, const QString &devRoot);

} // namespace Kv
