#include "opencalls.h"

namespace Kv::OpenCalls {

namespace {

bool failed(const char *call, OpenError &error)
{
    error = {};
    error.call = QString::fromLatin1(call);
    error.win32Error = GetLastError();
    return false;
}

} // namespace

HANDLE createFile(const std::wstring &path, OpenError &error)
{
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        failed("CreateFileW", error);
    return handle;
}

bool getCommState(HANDLE handle, DCB &state, OpenError &error)
{
    return GetCommState(handle, &state) || failed("GetCommState", error);
}

bool setCommState(HANDLE handle, DCB &state, OpenError &error)
{
    return SetCommState(handle, &state) || failed("SetCommState", error);
}

} // namespace Kv::OpenCalls
