#pragma once

#include <QByteArray>

namespace Kv {

// Appends to a buffer that keeps growing (the results of a download, the
// bytes waiting in the device). QByteArray::append() copies the bytes into
// each larger block, which takes a tenth of a second and more once the
// buffer holds tens of megabytes; reserve() moves them with realloc(), which
// for a block that large only remaps its pages.
inline void appendGrowing(QByteArray &buffer, const char *data, qsizetype size)
{
    if (buffer.capacity() - buffer.size() < size)
        buffer.reserve(2 * (buffer.size() + size));
    buffer.append(data, size);
}

} // namespace Kv
