// Threads and cancellation: CancelSynchronousIo wakes a thread blocked in
// ReadFile or WriteFile through the wake-up descriptor of its port.

#include "blockingcall_unix.h"
#include "win32object_unix.h"

#include <map>
#include <memory>
#include <mutex>

#include <unistd.h>

using namespace Kv::Win32Layer;

namespace {

struct Thread : Win32Object
{
    DWORD id = 0;
};

// The threads blocked in ReadFile or WriteFile, with the wake-up descriptor
// of the port each one waits on.
std::mutex blockedMutex;
std::map<DWORD, int> blockedThreads;

} // namespace

namespace Kv::Win32Layer {

BlockingCall::BlockingCall(int wakeFd)
    : thread(GetCurrentThreadId())
{
    const std::lock_guard<std::mutex> locker(blockedMutex);
    // A cancel that came after the previous call had finished is void.
    std::uint64_t pending;
    while (::read(wakeFd, &pending, sizeof pending) > 0) {
    }
    blockedThreads[thread] = wakeFd;
}

BlockingCall::~BlockingCall()
{
    const std::lock_guard<std::mutex> locker(blockedMutex);
    blockedThreads.erase(thread);
}

} // namespace Kv::Win32Layer

DWORD GetCurrentThreadId()
{
    return static_cast<DWORD>(::gettid());
}

HANDLE OpenThread(DWORD, BOOL, DWORD threadId)
{
    if (threadId == 0) {
        lastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    auto thread = std::make_unique<Thread>();
    thread->id = threadId;
    return static_cast<Win32Object *>(thread.release());
}

BOOL CancelSynchronousIo(HANDLE handle)
{
    const Thread *thread = objectOf<Thread>(handle);
    if (!thread)
        return FALSE;
    const std::lock_guard<std::mutex> locker(blockedMutex);
    const auto blocked = blockedThreads.find(thread->id);
    if (blocked == blockedThreads.end())
        return fail(ERROR_NOT_FOUND);
    const std::uint64_t one = 1;
    if (::write(blocked->second, &one, sizeof one) != sizeof one)
        return failErrno();
    return TRUE;
}
