#include "portdiagnosis.h"

#include "portpath.h"
#include "win32comm.h"

namespace Kv {

PortDiagnosis PortDiagnosis::ofFailedOpen(const QString &path, const OpenError &openError)
{
    const DWORD error = openError.win32Error;
    PortDiagnosis result;
    result.port = portShownAs(path);
    if (path.isEmpty()) {
        result.cause = Cause::NoPortChosen;
    } else if (error == ERROR_ACCESS_DENIED) {
        // Opened without sharing: Windows refuses a port another program holds.
        result.cause = Cause::InUse;
    } else if (error == ERROR_FILE_NOT_FOUND) {
        // A name mistyped and an adapter unplugged look the same here.
        result.cause = Cause::NoSuchPort;
    } else {
        result.cause = Cause::Failed;
        result.errorCode = error;
        // Windows' texts end with a full stop, which the sentence around them has.
        result.systemError = qt_error_string(static_cast<int>(error));
        if (result.systemError.endsWith(QLatin1Char('.')))
            result.systemError.chop(1);
    }
    return result;
}

PortDiagnosis PortDiagnosis::ofOtherReader(const QString &)
{
    // A port open in another program cannot be opened here at all.
    return {};
}

} // namespace Kv
