#pragma once

// Inside the Linux layer of Win32 calls (see README.md).

#include "win32comm_unix.h"

namespace Kv::Win32Layer {

// Registers the calling thread as blocked in a ReadFile or WriteFile for the
// object's lifetime, so that CancelSynchronousIo can wake it through the
// port's wake-up descriptor.
class BlockingCall
{
public:
    explicit BlockingCall(int wakeFd);
    ~BlockingCall();
    BlockingCall(const BlockingCall &) = delete;
    BlockingCall &operator=(const BlockingCall &) = delete;

private:
    const DWORD thread;
};

} // namespace Kv::Win32Layer
