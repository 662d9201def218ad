#pragma once

// The Win32 communications API the serial devices are written against. Windows
// has it; elsewhere a small layer of ours provides the same calls and types.

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include "win32comm_unix.h"
#endif
