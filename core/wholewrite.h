#pragma once

#include <QtGlobal>

// Writes size bytes to the descriptor fd, going on after short writes and
// interrupted calls: a full disk then fails with its own errno, where a short
// write alone would tell nothing. False with errno set when it fails.
bool writeWhole(int fd, const char *data, qint64 size);
