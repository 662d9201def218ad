#include "instancemutex.h"

#include <windows.h>

#include <string>

struct InstanceMutex::Handles
{
    HANDLE local = nullptr;
    HANDLE global = nullptr;
};

InstanceMutex::InstanceMutex()
    : handles(std::make_unique<Handles>())
{
    const std::wstring base = L"" DATALOGGER_INSTANCE_MUTEX;
    // Not owned (FALSE): a second instance opens the same mutex. A global one
    // made first by another account's program may refuse this one access;
    // it exists all the same, which is all an installer asks.
    handles->local = CreateMutexW(nullptr, FALSE, (L"Local\\" + base).c_str());
    handles->global = CreateMutexW(nullptr, FALSE, (L"Global\\" + base).c_str());
}

InstanceMutex::~InstanceMutex()
{
    for (HANDLE handle : {handles->local, handles->global}) {
        if (handle)
            CloseHandle(handle);
    }
}
