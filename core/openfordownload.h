#pragma once

#include "portdiagnosis.h"

namespace Kv {

class WinSerialDeviceAsync;

// Opens device, made for the port at path, for a download, unless another
// program already reads that port and would take bytes from the transfer.
// Cause None when it opened; otherwise why not.
PortDiagnosis openForDownload(WinSerialDeviceAsync &device, const QString &path);

} // namespace Kv
