#include "resultswriter.h"

#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>

// Windows has no device nodes or descriptor paths: everything is a file.
ResultsWriter::Target ResultsWriter::targetOf(const QString &path)
{
    Target target;
    target.path = path;
    if (QFileInfo(path).isDir()) {
        target.kind = Target::Unsuitable;
        target.error = systemText(EISDIR);
    }
    return target;
}

bool ResultsWriter::canWriteInPlace(const Target &)
{
    return false;
}

bool ResultsWriter::writeInPlace(const Target &, const QByteArray &)
{
    return false;
}

bool ResultsWriter::writeTo(QIODevice &device, const QByteArray &results)
{
    const QByteArray data = formatted(results);
    auto *file = qobject_cast<QFileDevice *>(&device);
    // Written on after a short write, so that a full disk ends in an error
    // that names its cause (a short write sets none).
    qint64 at = 0;
    while (at < data.size()) {
        const qint64 written = device.write(data.constData() + at, data.size() - at);
        if (written <= 0)
            break;
        at += written;
    }
    if (at >= data.size() && (!file || file->flush()))
        return true;
    error = device.errorString();
    return false;
}
