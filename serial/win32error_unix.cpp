#include "win32error_unix.h"

#include <cerrno>

namespace Kv::Win32Layer {

thread_local DWORD lastError = ERROR_SUCCESS;

DWORD win32Error(int error, Stage stage)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EPERM:
    case EBUSY:
    case EWOULDBLOCK:
        return ERROR_ACCESS_DENIED;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case ENOTTY:
        return ERROR_INVALID_FUNCTION;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    case EIO:
        // On an open port EIO means the device has gone (hang-up); Windows
        // answers ERROR_BAD_COMMAND for a removed COM port.
        return stage == Stage::Open ? ERROR_BAD_COMMAND : ERROR_GEN_FAILURE;
    default:
        return ERROR_GEN_FAILURE;
    }
}

// Sets the last error; report, where the caller wants them, gets the facts

BOOL fail(DWORD error, OpenError *report, const OpenError &facts)
{
    lastError = error;
    if (report)
        *report = facts;
    return FALSE;
}

BOOL failErrno(OpenError *report, Stage stage, OpenError::Step step)
{
    OpenError facts;
    facts.errorNumber = errno;
    facts.step = step;
    return fail(win32Error(facts.errorNumber, stage), report, facts);
}

bool reported(bool succeeded, OpenError &facts, OpenError &error)
{
    if (!succeeded) {
        facts.win32Error = lastError;
        error = facts;
    }
    return succeeded;
}

} // namespace Kv::Win32Layer
