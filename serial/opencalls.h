#pragma once

#include "openerror.h"
#include "win32comm.h"

#include <string>

// The three calls that open a port, each of which fills error when it fails:
// on Windows with the call's name and GetLastError(), on Linux also with the
// errno, the step and the lock file behind it.
namespace Kv::OpenCalls {

HANDLE createFile(const std::wstring &path, OpenError &error);
bool getCommState(HANDLE handle, DCB &state, OpenError &error);
bool setCommState(HANDLE handle, DCB &state, OpenError &error);

} // namespace Kv::OpenCalls
