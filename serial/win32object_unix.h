#pragma once

// Inside the Linux layer of Win32 calls (see README.md).

#include "win32comm_unix.h"
#include "win32error_unix.h"

namespace Kv::Win32Layer {

// What a HANDLE points to here: an open port (Win32Port) or a thread
// (OpenThread). CloseHandle deletes it.
struct Win32Object
{
    virtual ~Win32Object() = default;
};

// The object of that kind behind handle; null, with ERROR_INVALID_HANDLE,
// for any other.
template <typename T>
T *objectOf(HANDLE handle)
{
    T *object = nullptr;
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
        object = dynamic_cast<T *>(static_cast<Win32Object *>(handle));
    if (!object)
        lastError = ERROR_INVALID_HANDLE;
    return object;
}

} // namespace Kv::Win32Layer
