#pragma once

#include <QString>
#include <QtGlobal>

namespace Kv {

// Why a port did not open, as the device saw it at that moment: kept with the
// device, so that later calls on the thread cannot change the account.
struct OpenError
{
    // The step of the open that failed, where the system tells it apart: a
    // refused open, a busy port and a held lock all give ERROR_ACCESS_DENIED.
    enum Step { Unknown, Open, LockFile, DescriptorLock };

    QString call;           // "CreateFileW", "GetCommState", "SetCommState"; empty: nothing failed
    quint32 win32Error = 0; // GetLastError() of that call
    int errorNumber = 0;    // the errno behind it (Linux), 0 when none or on Windows
    Step step = Unknown;
    qint64 lockOwner = 0; // LockFile: the process the lock file names, 0 when none
    QString lockFile;     // LockFile: its path

    bool failed() const
    {
        return !call.isEmpty();
    }
};

} // namespace Kv
