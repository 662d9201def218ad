#include "portpath.h"

namespace Kv {

std::wstring portOpenPath(const std::wstring &portName)
{
    // The device namespace prefix, so that COM10 and above open as well.
    static const std::wstring prefix = L"\\\\.\\";
    if (portName.compare(0, prefix.size(), prefix) == 0)
        return portName;
    return prefix + portName;
}

QString portShownAs(const QString &path)
{
    const QLatin1String deviceNamespace("\\\\.\\");
    return path.startsWith(deviceNamespace) ? path.mid(deviceNamespace.size()) : path;
}

} // namespace Kv
