#include "portpath.h"

namespace Kv {

std::wstring portOpenPath(const std::wstring &portName)
{
    if (portName.find(L'/') != std::wstring::npos)
        return portName;
    return L"/dev/" + portName;
}

} // namespace Kv
