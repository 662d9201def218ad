#pragma once

// Inside the Linux layer of Win32 calls (see README.md).

#include "portlockfile.h"
#include "win32object_unix.h"

#include <memory>

struct termios;

namespace Kv::Win32Layer {

// An open port: what CreateFileW's handle stands for.
struct Win32Port : Win32Object
{
    ~Win32Port() override;

    int fd = -1;
    // This descriptor put the tty in exclusive mode.
    bool exclusive = false;
    // Readable while a CancelSynchronousIo is pending for a blocking call.
    int wakeFd = -1;
    std::unique_ptr<PortLockFile> lockFile;
    // The DCB as last set: it answers for the members termios cannot express.
    DCB shadow = {};
    COMMTIMEOUTS timeouts = {};
    DWORD eventMask = 0;
};

// The port behind handle; null, with ERROR_INVALID_HANDLE, for anything else.
Win32Port *portOf(HANDLE handle);

// No line discipline at all: Windows knows no cooked mode. The line format
// (speed, size, parity, stop bits, flow control) is left as it is.
void makeRaw(termios &settings);

} // namespace Kv::Win32Layer
