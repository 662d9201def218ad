#pragma once

#include <QByteArray>

namespace Kv {

// Makes room for size more bytes in a buffer that keeps growing (the results
// of a download, the bytes waiting in the device), doubling it when full.
// QByteArray::append() copies the bytes into each larger block, which takes a
// tenth of a second and more once the buffer holds tens of megabytes;
// reserve() moves them with realloc(), which for a block that large only
// remaps its pages.
inline void reserveGrowing(QByteArray &buffer, qsizetype size)
{
    if (buffer.capacity() - buffer.size() < size)
        buffer.reserve(2 * (buffer.size() + size));
}

inline void appendGrowing(QByteArray &buffer, const char *data, qsizetype size)
{
    reserveGrowing(buffer, size);
    buffer.append(data, size);
}

} // namespace Kv
