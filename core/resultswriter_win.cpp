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
    auto *file = qobject_cast<QFileDevice *>(&device);
    const bool written =
        FileSaver::writeConverted(results, conversion(), [&device](const char *bytes, qint64 size) {
            return FileSaver::writeAll(device, bytes, size);
        });
    if (written && (!file || file->flush()))
        return true;
    error = device.errorString();
    return false;
}
