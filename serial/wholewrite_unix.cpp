#include "wholewrite.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<int> stops{0};
static_assert(std::atomic<int>::is_always_lock_free, "used in a signal handler");
// The count that every wait compares with once countStopsFromNow() is
// called; before, -1: each wait takes the count when it begins.
std::atomic<int> stopsCountedFrom{-1};

int stopsBeforeWait()
{
    const int from = stopsCountedFrom.load();
    return from >= 0 ? from : stops.load();
}

// How long a wait lasts before it looks whether it was stopped: a signal
// may reach another thread than the one waiting.
const int lookEveryMs = 100;

} // namespace

bool writeWhole(int fd, const char *data, qint64 size)
{
    const int stopsBefore = stopsBeforeWait();
    struct stat node;
    // A regular file never waits for a reader.
    const bool mayWait = ::fstat(fd, &node) == 0 && !S_ISREG(node.st_mode);
    while (size > 0) {
        if (mayWait) {
            pollfd writable = {fd, POLLOUT, 0};
            const int ready = ::poll(&writable, 1, lookEveryMs);
            // Only a wait gives up: a reader that takes the bytes gets them
            // all, also after the stop.
            if (ready == 0 || (ready < 0 && errno == EINTR)) {
                if (stops.load() != stopsBefore) {
                    errno = EINTR;
                    return false;
                }
                continue;
            }
        }
        // Once poll() says a pipe is writable, a write of up to PIPE_BUF
        // bytes does not wait.
        const ssize_t written = ::write(fd, data, size_t(mayWait ? std::min<qint64>(size, PIPE_BUF) : size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            // Nothing written and no error: a device that takes no more.
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool closeAfter(int fd, bool succeeded)
{
    const int earlier = errno;
    const bool closed = ::close(fd) == 0;
    if (!succeeded)
        errno = earlier;
    return succeeded && closed;
}

int openForWriting(const char *path, int flags, int mode)
{
    const int stopsBefore = stopsBeforeWait();
    for (;;) {
        const int fd = ::open(path, O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | flags, mode);
        if (fd >= 0) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            return fd;
        }
        // A FIFO that no one reads yet.
        if (errno != ENXIO)
            return -1;
        ::poll(nullptr, 0, lookEveryMs);
        if (stops.load() != stopsBefore) {
            errno = EINTR;
            return -1;
        }
    }
}

void stopBlockedWrites()
{
    stops.fetch_add(1);
}

void countStopsFromNow()
{
    stopsCountedFrom.store(stops.load());
}
