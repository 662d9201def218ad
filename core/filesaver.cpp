#include "filesaver.h"

#include <QIODevice>

#include <cstring>

bool FileSaver::writeConverted(const QByteArray &data, Conversion convert,
                               const std::function<bool(const char *, qint64)> &write)
{
    if (!convert)
        return write(data.constData(), data.size());
    constexpr qint64 pieceSize = 1024 * 1024;
    QByteArray piece;
    for (qint64 at = 0; at < data.size(); at += pieceSize) {
        piece.resize(qMin(pieceSize, data.size() - at));
        std::memcpy(piece.data(), data.constData() + at, piece.size());
        convert(piece.data(), piece.size());
        if (!write(piece.constData(), piece.size()))
            return false;
    }
    return true;
}

bool FileSaver::writeAll(QIODevice &device, const char *data, qint64 size)
{
    for (qint64 at = 0, part = 0; at < size; at += part) {
        part = device.write(data + at, size - at);
        if (part <= 0)
            return false;
    }
    return true;
}
