#include "resultswriter.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>

// Windows has no device nodes or descriptor paths: everything is a file.
ResultsWriter::Target ResultsWriter::targetOf(const QString &path)
{
    Target target;
    target.path = path;
    if (QFileInfo(path).isDir()) {
        target.kind = Target::Unsuitable;
        target.error = QString::fromLocal8Bit(std::strerror(EISDIR));
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
