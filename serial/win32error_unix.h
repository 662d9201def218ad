#pragma once

// Inside the Linux layer of Win32 calls (see README.md): the last error each
// call leaves for GetLastError(), and the Win32 code of an errno.

#include "openerror.h"
#include "win32comm_unix.h"

namespace Kv::Win32Layer {

// Like Win32, each thread has its own last error.
extern thread_local DWORD lastError;

// EIO means a failed open, but a device gone from a port that was open.
enum class Stage { Opening, Open };

DWORD win32Error(int error, Stage stage);

// Sets the last error; report, where the caller wants them, gets the facts
// behind it. FALSE, for the caller to return.
BOOL fail(DWORD error, OpenError *report = nullptr, const OpenError &facts = {});
// fail() with the errno of the call that just failed.
BOOL failErrno(OpenError *report = nullptr, Stage stage = Stage::Open,
               OpenError::Step step = OpenError::Unknown);

// Hands the facts of a call that failed, with its last error, to error.
bool reported(bool succeeded, OpenError &facts, OpenError &error);

} // namespace Kv::Win32Layer
