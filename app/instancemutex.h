#pragma once

#include <memory>

// Tells the installer and the uninstaller that the program runs, so that
// neither replaces nor removes files in use: on Windows, while an instance
// exists, the named mutex DATALOGGER_INSTANCE_MUTEX (CMakeLists.txt, which
// gives the installer's script the same name) exists in this session (Local\)
// and, for the installers of other sessions, in the global namespace. The
// window and the command line each hold one; it is never owned, only kept
// open, so any number of programs may hold it at once. Nothing elsewhere,
// where packages are installed by the package manager.
class InstanceMutex
{
public:
    InstanceMutex();
    ~InstanceMutex();
    InstanceMutex(const InstanceMutex &) = delete;
    InstanceMutex &operator=(const InstanceMutex &) = delete;

private:
    struct Handles;
    std::unique_ptr<Handles> handles;
};
