#include "openfordownload.h"

#include "winserialdeviceasync.h"

namespace Kv {

PortDiagnosis openForDownload(WinSerialDeviceAsync &device, const QString &path)
{
    PortDiagnosis reader = PortDiagnosis::ofOtherReader(path);
    if (reader.cause != PortDiagnosis::Cause::None)
        return reader;
    if (device.open(QIODevice::ReadWrite))
        return {};
    return PortDiagnosis::ofFailedOpen(path, device.openError());
}

} // namespace Kv
