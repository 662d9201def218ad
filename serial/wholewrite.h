#pragma once

#include <QtGlobal>

// Linux's writes to a descriptor, for the port lock files here and for the
// results, saves and captures of the layers above.

// Writes size bytes to the descriptor fd, going on after short writes and
// interrupted calls: a full disk then fails with its own errno, where a short
// write alone would tell nothing. A pipe, a FIFO or a terminal that takes
// nothing more is waited for only until stopBlockedWrites() is called. False
// with errno set when it fails (EINTR when stopped).
bool writeWhole(int fd, const char *data, qint64 size);

// Closes fd after work that succeeded or not: true only when both did, with
// errno set by whichever failed first (a close can report a write that
// failed late, on a network share).
bool closeAfter(int fd, bool succeeded);

// Opens path for writing only as open(2) does with flags added (O_CREAT,
// O_TRUNC) and mode, but waits for the reader of a FIFO only until
// stopBlockedWrites() is called. -1 with errno set when it fails.
int openForWriting(const char *path, int flags = 0, int mode = 0);

// Makes the writes and opens above that wait give up, and those that begin
// later not: the process was told to end (Ctrl+C) while its output waits for
// a reader that may never come. Safe in a signal handler.
void stopBlockedWrites();

// From now on every wait above gives up on a stopBlockedWrites() that came
// after this call, also one that came before the wait began: for a process
// whose whole work one signal ends (the command line), where the signal may
// come before its output is opened. A write that does not wait is not
// stopped.
void countStopsFromNow();
