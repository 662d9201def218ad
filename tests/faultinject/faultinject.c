/* Fault injection for the save tests: the N-th file system call on a folder
 * fails with a chosen errno, as on a full disk (ENOSPC, EDQUOT) or a failing
 * one (EIO). Each call below stands in for the C library's of that name and
 * hands on to it (dlsym(RTLD_NEXT), so a sanitizer's interceptor stays in the
 * chain).
 *
 * Preloaded (LD_PRELOAD), it is configured by the environment:
 *   FAULTINJECT_FOLDER  absolute folder; only calls on paths under it, and on
 *                       descriptors opened under it (the folder's own too),
 *                       are counted
 *   FAULTINJECT_AT      N: the N-th counted call fails
 *   FAULTINJECT_ERRNO   ENOSPC, EIO, EDQUOT or a number (ENOSPC if unset)
 *   FAULTINJECT_SHORT   1: a write as call N writes half and returns the short
 *                       count; the next write fails instead
 *   FAULTINJECT_REPORT  a file (outside the folder) that gets a line such as
 *                       "write #7" for each failure made, and "calls N" with
 *                       the number of counted calls when the program ends
 * Linked into a process, faultinject.h steers it. Linux (glibc) only. */

#define _GNU_SOURCE
#include "faultinject.h"

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

#define MAX_FDS 65536

static char folder[PATH_MAX], realFolder[PATH_MAX], reportPath[PATH_MAX];
static long failAt;
static int failErrno = ENOSPC, shortWrite;
static int armed, failNextWrite;
static long counted;
static char injected[256];
/* What each descriptor is, found out when opened while armed or else at its
 * first use. */
enum Tracked { Unknown, NotMine, Mine, MineWritten };
static unsigned char tracked[MAX_FDS];

/* The C library's function (or the next interceptor's) of that name, looked
 * up once. */
#define REAL(name)                                                                                           \
    ({                                                                                                       \
        static __typeof__(&name) real;                                                                       \
        if (!real)                                                                                           \
            real = (__typeof__(&name))dlsym(RTLD_NEXT, #name);                                               \
        real;                                                                                                \
    })

static int startsWith(const char *path, const char *prefix);

/* Whether fd is a descriptor on a file under the folder: one opened before the
 * folder was armed (inherited, such as standard output) is looked up once. */
static int isTracked(int fd)
{
    if (fd < 0 || fd >= MAX_FDS)
        return 0;
    unsigned char state = __atomic_load_n(&tracked[fd], __ATOMIC_SEQ_CST);
    if (state == Unknown) {
        char link[64], target[PATH_MAX];
        snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        const ssize_t length = readlink(link, target, sizeof target - 1);
        if (length >= 0)
            target[length] = '\0';
        state = length >= 0 && (startsWith(target, folder) || startsWith(target, realFolder)) ? Mine : NotMine;
        __atomic_store_n(&tracked[fd], state, __ATOMIC_SEQ_CST);
    }
    return state >= Mine;
}

static int track(int fd, int mine)
{
    if (fd >= 0 && fd < MAX_FDS)
        __atomic_store_n(&tracked[fd], (unsigned char)(mine ? Mine : NotMine), __ATOMIC_SEQ_CST);
    return fd;
}

static int startsWith(const char *path, const char *prefix)
{
    const size_t length = strlen(prefix);
    return length > 0 && strncmp(path, prefix, length) == 0 && (path[length] == '\0' || path[length] == '/');
}

/* Whether path, relative to dirfd as openat() takes it, is the folder or in it. */
static int underFolder(int dirfd, const char *path)
{
    if (!__atomic_load_n(&armed, __ATOMIC_SEQ_CST) || !path)
        return 0;
    char full[2 * PATH_MAX];
    if (path[0] == '/') {
        snprintf(full, sizeof full, "%s", path);
    } else {
        if (isTracked(dirfd))
            return 1;
        char base[PATH_MAX];
        ssize_t length = -1;
        if (dirfd == AT_FDCWD) {
            length = getcwd(base, sizeof base) ? (ssize_t)strlen(base) : -1;
        } else {
            char link[64];
            snprintf(link, sizeof link, "/proc/self/fd/%d", dirfd);
            length = readlink(link, base, sizeof base - 1);
        }
        if (length < 0)
            return 0;
        base[length] = '\0';
        snprintf(full, sizeof full, "%s/%s", base, path);
    }
    return startsWith(full, folder) || startsWith(full, realFolder);
}

static void note(const char *call, long number, int isShort, const char *what)
{
    char line[96];
    snprintf(line, sizeof line, "%s #%ld%s%s", call, number, isShort ? " short" : "", what);
    const size_t used = strlen(injected);
    snprintf(injected + used, sizeof injected - used, "%s%s", used ? "; " : "", line);
    if (!reportPath[0])
        return;
    const int fd = REAL(open)(reportPath, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    strcat(line, "\n");
    if (REAL(write)(fd, line, strlen(line)) < 0) {
        /* Nothing to be done: the driver sees no line. */
    }
    REAL(close)(fd);
}

enum Verdict { Pass, Fail, Halve };

/* Counts one call on the folder and says what becomes of it. halvable: a
 * write of two bytes or more, which the short mode cuts in half. */
static enum Verdict count(const char *call, int isWrite, int halvable, const char *what)
{
    const long number = __atomic_add_fetch(&counted, 1, __ATOMIC_SEQ_CST);
    enum Verdict verdict = Pass;
    if (isWrite && __atomic_exchange_n(&failNextWrite, 0, __ATOMIC_SEQ_CST))
        verdict = Fail;
    else if (number == failAt)
        verdict = shortWrite && halvable ? Halve : Fail;
    if (verdict == Halve)
        __atomic_store_n(&failNextWrite, 1, __ATOMIC_SEQ_CST);
    if (verdict != Pass)
        note(call, number, verdict == Halve, what);
    return verdict;
}

static enum Verdict countPath(const char *call, int dirfd, const char *path)
{
    return underFolder(dirfd, path) ? count(call, 0, 0, "") : Pass;
}

/* A call on a descriptor is named with what it was on, where that tells how
 * much it matters: the folder's own, or a file that nothing was written to
 * (such as a probe's). */
static enum Verdict countFd(const char *call, int fd, int isWrite, size_t bytes)
{
    if (!__atomic_load_n(&armed, __ATOMIC_SEQ_CST) || !isTracked(fd))
        return Pass;
    struct stat node;
    const char *what = fstat(fd, &node) == 0 && S_ISDIR(node.st_mode) ? " (folder)"
                       : strcmp(call, "close") == 0 && tracked[fd] != MineWritten ? " (unwritten)"
                                                                                  : "";
    if (isWrite)
        __atomic_store_n(&tracked[fd], MineWritten, __ATOMIC_SEQ_CST);
    return count(call, isWrite, bytes >= 2, what);
}

#define FAIL_WITH(result)                                                                                    \
    do {                                                                                                     \
        errno = failErrno;                                                                                   \
        return result;                                                                                       \
    } while (0)

/* The mode argument that open() and its kin take only for O_CREAT or O_TMPFILE. */
#define MODE_OF(flags)                                                                                       \
    mode_t mode = 0;                                                                                         \
    if (__OPEN_NEEDS_MODE(flags)) {                                                                          \
        va_list arguments;                                                                                   \
        va_start(arguments, flags);                                                                          \
        mode = va_arg(arguments, mode_t);                                                                    \
        va_end(arguments);                                                                                   \
    }

/* Opens through realCall (which ignores mode where it takes none); the new
 * descriptor is tracked when it is under the folder. */
#define OPEN_AT(call, dirfd, path, realCall)                                                                 \
    do {                                                                                                     \
        const int mine = underFolder(dirfd, path);                                                           \
        if (mine && count(call, 0, 0, "") != Pass)                                                               \
            FAIL_WITH(-1);                                                                                   \
        return track(realCall, mine);                                                                        \
    } while (0)

int open(const char *path, int flags, ...)
{
    MODE_OF(flags);
    OPEN_AT("open", AT_FDCWD, path, REAL(open)(path, flags, mode));
}

int open64(const char *path, int flags, ...)
{
    MODE_OF(flags);
    OPEN_AT("open64", AT_FDCWD, path, REAL(open64)(path, flags, mode));
}

int __open_2(const char *path, int flags)
{
    OPEN_AT("__open_2", AT_FDCWD, path, REAL(__open_2)(path, flags));
}

int __open64_2(const char *path, int flags)
{
    OPEN_AT("__open64_2", AT_FDCWD, path, REAL(__open64_2)(path, flags));
}

int openat(int dirfd, const char *path, int flags, ...)
{
    MODE_OF(flags);
    OPEN_AT("openat", dirfd, path, REAL(openat)(dirfd, path, flags, mode));
}

int openat64(int dirfd, const char *path, int flags, ...)
{
    MODE_OF(flags);
    OPEN_AT("openat64", dirfd, path, REAL(openat64)(dirfd, path, flags, mode));
}

int __openat_2(int dirfd, const char *path, int flags)
{
    OPEN_AT("__openat_2", dirfd, path, REAL(__openat_2)(dirfd, path, flags));
}

int __openat64_2(int dirfd, const char *path, int flags)
{
    OPEN_AT("__openat64_2", dirfd, path, REAL(__openat64_2)(dirfd, path, flags));
}

int creat(const char *path, mode_t mode)
{
    OPEN_AT("creat", AT_FDCWD, path, REAL(creat)(path, mode));
}

int creat64(const char *path, mode_t mode)
{
    OPEN_AT("creat64", AT_FDCWD, path, REAL(creat64)(path, mode));
}

ssize_t write(int fd, const void *buffer, size_t bytes)
{
    switch (countFd("write", fd, 1, bytes)) {
    case Fail:
        FAIL_WITH(-1);
    case Halve:
        return REAL(write)(fd, buffer, bytes / 2);
    default:
        return REAL(write)(fd, buffer, bytes);
    }
}

ssize_t pwrite(int fd, const void *buffer, size_t bytes, off_t offset)
{
    switch (countFd("pwrite", fd, 1, bytes)) {
    case Fail:
        FAIL_WITH(-1);
    case Halve:
        return REAL(pwrite)(fd, buffer, bytes / 2, offset);
    default:
        return REAL(pwrite)(fd, buffer, bytes, offset);
    }
}

ssize_t pwrite64(int fd, const void *buffer, size_t bytes, off64_t offset)
{
    switch (countFd("pwrite64", fd, 1, bytes)) {
    case Fail:
        FAIL_WITH(-1);
    case Halve:
        return REAL(pwrite64)(fd, buffer, bytes / 2, offset);
    default:
        return REAL(pwrite64)(fd, buffer, bytes, offset);
    }
}

ssize_t writev(int fd, const struct iovec *vector, int count)
{
    size_t bytes = 0;
    for (int i = 0; i < count; ++i)
        bytes += vector[i].iov_len;
    /* Halving copies the vector: up to 64 parts, more fail whole. */
    switch (countFd("writev", fd, 1, count <= 64 ? bytes : 0)) {
    case Fail:
        FAIL_WITH(-1);
    case Halve: {
        struct iovec half[64];
        size_t left = bytes / 2;
        int parts = 0;
        for (; parts < count && left > 0; ++parts) {
            half[parts] = vector[parts];
            if (half[parts].iov_len > left)
                half[parts].iov_len = left;
            left -= half[parts].iov_len;
        }
        return REAL(writev)(fd, half, parts);
    }
    default:
        return REAL(writev)(fd, vector, count);
    }
}

int fsync(int fd)
{
    if (countFd("fsync", fd, 0, 0) != Pass)
        FAIL_WITH(-1);
    return REAL(fsync)(fd);
}

int fdatasync(int fd)
{
    if (countFd("fdatasync", fd, 0, 0) != Pass)
        FAIL_WITH(-1);
    return REAL(fdatasync)(fd);
}

int ftruncate(int fd, off_t length)
{
    if (countFd("ftruncate", fd, 0, 0) != Pass)
        FAIL_WITH(-1);
    return REAL(ftruncate)(fd, length);
}

int ftruncate64(int fd, off64_t length)
{
    if (countFd("ftruncate64", fd, 0, 0) != Pass)
        FAIL_WITH(-1);
    return REAL(ftruncate64)(fd, length);
}

int fchmod(int fd, mode_t mode)
{
    if (countFd("fchmod", fd, 0, 0) != Pass)
        FAIL_WITH(-1);
    return REAL(fchmod)(fd, mode);
}

int fchown(int fd, uid_t owner, gid_t group)
{
    if (countFd("fchown", fd, 0, 0) != Pass)
        FAIL_WITH(-1);
    return REAL(fchown)(fd, owner, group);
}

/* Returns the error rather than setting errno. */
int posix_fallocate(int fd, off_t offset, off_t length)
{
    if (countFd("posix_fallocate", fd, 0, 0) != Pass)
        return failErrno;
    return REAL(posix_fallocate)(fd, offset, length);
}

int posix_fallocate64(int fd, off64_t offset, off64_t length)
{
    if (countFd("posix_fallocate64", fd, 0, 0) != Pass)
        return failErrno;
    return REAL(posix_fallocate64)(fd, offset, length);
}

int fallocate(int fd, int mode, off_t offset, off_t length)
{
    if (countFd("fallocate", fd, 0, 0) != Pass)
        FAIL_WITH(-1);
    return REAL(fallocate)(fd, mode, offset, length);
}

/* A close that fails has closed the descriptor all the same, as on Linux. */
int close(int fd)
{
    const enum Verdict verdict = countFd("close", fd, 0, 0);
    if (fd >= 0 && fd < MAX_FDS)
        __atomic_store_n(&tracked[fd], Unknown, __ATOMIC_SEQ_CST);
    const int result = REAL(close)(fd);
    if (verdict != Pass)
        FAIL_WITH(-1);
    return result;
}

/* A rename or link counts when either name is under the folder. */
static enum Verdict countTwo(const char *call, int oldDirfd, const char *oldPath, int newDirfd,
                             const char *newPath)
{
    return underFolder(oldDirfd, oldPath) || underFolder(newDirfd, newPath) ? count(call, 0, 0, "") : Pass;
}

int rename(const char *oldPath, const char *newPath)
{
    if (countTwo("rename", AT_FDCWD, oldPath, AT_FDCWD, newPath) != Pass)
        FAIL_WITH(-1);
    return REAL(rename)(oldPath, newPath);
}

int renameat(int oldDirfd, const char *oldPath, int newDirfd, const char *newPath)
{
    if (countTwo("renameat", oldDirfd, oldPath, newDirfd, newPath) != Pass)
        FAIL_WITH(-1);
    return REAL(renameat)(oldDirfd, oldPath, newDirfd, newPath);
}

int renameat2(int oldDirfd, const char *oldPath, int newDirfd, const char *newPath, unsigned int flags)
{
    if (countTwo("renameat2", oldDirfd, oldPath, newDirfd, newPath) != Pass)
        FAIL_WITH(-1);
    return REAL(renameat2)(oldDirfd, oldPath, newDirfd, newPath, flags);
}

int link(const char *oldPath, const char *newPath)
{
    if (countTwo("link", AT_FDCWD, oldPath, AT_FDCWD, newPath) != Pass)
        FAIL_WITH(-1);
    return REAL(link)(oldPath, newPath);
}

int linkat(int oldDirfd, const char *oldPath, int newDirfd, const char *newPath, int flags)
{
    if (countTwo("linkat", oldDirfd, oldPath, newDirfd, newPath) != Pass)
        FAIL_WITH(-1);
    return REAL(linkat)(oldDirfd, oldPath, newDirfd, newPath, flags);
}

int unlink(const char *path)
{
    if (countPath("unlink", AT_FDCWD, path) != Pass)
        FAIL_WITH(-1);
    return REAL(unlink)(path);
}

int unlinkat(int dirfd, const char *path, int flags)
{
    if (countPath("unlinkat", dirfd, path) != Pass)
        FAIL_WITH(-1);
    return REAL(unlinkat)(dirfd, path, flags);
}

void faultinject_arm(const char *folderPath, long at, int errnum, int halveWrite)
{
    __atomic_store_n(&armed, 0, __ATOMIC_SEQ_CST);
    snprintf(folder, sizeof folder, "%s", folderPath);
    for (size_t length = strlen(folder); length > 1 && folder[length - 1] == '/';)
        folder[--length] = '\0';
    /* Paths may name the folder through a symbolic link, or not. */
    if (!realpath(folder, realFolder))
        realFolder[0] = '\0';
    failAt = at;
    failErrno = errnum;
    shortWrite = halveWrite;
    counted = 0;
    failNextWrite = 0;
    injected[0] = '\0';
    memset(tracked, 0, sizeof tracked);
    __atomic_store_n(&armed, 1, __ATOMIC_SEQ_CST);
}

void faultinject_disarm(void)
{
    __atomic_store_n(&armed, 0, __ATOMIC_SEQ_CST);
}

const char *faultinject_injected(void)
{
    return injected;
}

long faultinject_counted(void)
{
    return __atomic_load_n(&counted, __ATOMIC_SEQ_CST);
}

/* Preloaded, the count goes to the report as "calls N" when the program ends. */
__attribute__((destructor)) static void reportCount(void)
{
    if (!reportPath[0])
        return;
    const int fd = REAL(open)(reportPath, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    char line[64];
    snprintf(line, sizeof line, "calls %ld\n", faultinject_counted());
    if (REAL(write)(fd, line, strlen(line)) < 0) {
        /* Nothing to be done: the driver sees no count. */
    }
    REAL(close)(fd);
}

static int errnoNamed(const char *name)
{
    if (!name || !*name || strcmp(name, "ENOSPC") == 0)
        return ENOSPC;
    if (strcmp(name, "EIO") == 0)
        return EIO;
    if (strcmp(name, "EDQUOT") == 0)
        return EDQUOT;
    return atoi(name);
}

__attribute__((constructor)) static void configureFromEnvironment(void)
{
    const char *folderPath = getenv("FAULTINJECT_FOLDER"), *at = getenv("FAULTINJECT_AT");
    if (!folderPath || folderPath[0] != '/' || !at)
        return;
    const char *report = getenv("FAULTINJECT_REPORT"), *halve = getenv("FAULTINJECT_SHORT");
    snprintf(reportPath, sizeof reportPath, "%s", report ? report : "");
    faultinject_arm(folderPath, atol(at), errnoNamed(getenv("FAULTINJECT_ERRNO")),
                    halve && strcmp(halve, "1") == 0);
}
