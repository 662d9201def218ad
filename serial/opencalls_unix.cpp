#include "opencalls.h"

namespace Kv::OpenCalls {

HANDLE createFile(const std::wstring &path, OpenError &error)
{
    HANDLE handle = Kv::createFile(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING, error);
    if (handle == INVALID_HANDLE_VALUE)
        error.call = QStringLiteral("CreateFileW");
    return handle;
}

bool getCommState(HANDLE handle, DCB &state, OpenError &error)
{
    if (Kv::getCommState(handle, &state, error))
        return true;
    error.call = QStringLiteral("GetCommState");
    return false;
}

bool setCommState(HANDLE handle, DCB &state, OpenError &error)
{
    if (Kv::setCommState(handle, &state, error))
        return true;
    error.call = QStringLiteral("SetCommState");
    return false;
}

} // namespace Kv::OpenCalls
