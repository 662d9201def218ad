#include "portpath.h"

namespace Kv {

std::wstring portOpenPath(const std::wstring &portName)
{
    if (portName.find(L'/') != std::wstring::npos)
        return portName;
    return L"/dev/" + portName;
}

QString portShownAs(const QString &path)
{
    const QLatin1String devFolder("/dev/");
    return path.startsWith(devFolder) ? path.mid(devFolder.size()) : path;
}

} // namespace Kv
