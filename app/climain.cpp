#include "commandline.h"
#include "commandlineplatform.h"
#include "instancemutex.h"

// The command line as a console program of its own: on Windows a window
// program has no console, and cmd.exe would not wait for it.
int main(int argc, char *argv[])
{
    CommandLinePlatform::guardStandardDescriptors();
    // A download on the command line uses the program's files as well.
    const InstanceMutex running;
    return CommandLine::run(argc, argv);
}
