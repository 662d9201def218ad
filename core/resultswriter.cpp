#include "resultswriter.h"

#include "germannumberformat.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>

namespace {

// The C library's text, the same on every platform (a Windows error number
// means something else).
QString systemText(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

// Writes on after a short write, so that a full disk ends in an error that
// names its cause (a short write sets none).
bool writeAll(QIODevice &device, const QByteArray &data)
{
    for (qint64 at = 0; at < data.size();) {
        const qint64 written = device.write(data.constData() + at, data.size() - at);
        if (written <= 0)
            return false;
        at += written;
    }
    return true;
}

} // namespace

ResultsWriter::ResultsWriter(Format format)
    : format(format)
{}

bool ResultsWriter::canWrite(const QString &path)
{
    const QFileInfo info(path);
    switch (targetOf(path)) {
    case Target::Unsuitable:
        error = unsuitable(path);
        return false;
    case Target::InPlace:
        // Opening would block on a pipe that has no reader yet.
        if (info.isWritable())
            return true;
        error = systemText(EACCES);
        return false;
    case Target::File:
        break;
    }
    QFile probe(path);
    // Appending to an existing file changes nothing; a new name is made and
    // removed again.
    if (info.exists() ? !probe.open(QIODevice::Append)
                      : !probe.open(QIODevice::WriteOnly | QIODevice::NewOnly) || !probe.remove()) {
        error = probe.errorString();
        return false;
    }
    const QStorageInfo volume(info.absolutePath());
    if (volume.isValid() && volume.bytesAvailable() == 0) {
        error = systemText(ENOSPC);
        return false;
    }
    return true;
}

bool ResultsWriter::writeFile(const QString &path, const QByteArray &results)
{
    switch (targetOf(path)) {
    case Target::Unsuitable:
        error = unsuitable(path);
        return false;
    case Target::InPlace: {
        QFile device(path);
        if (device.open(QIODevice::WriteOnly))
            return writeTo(device, results);
        error = device.errorString();
        return false;
    }
    case Target::File:
        break;
    }
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (file.open(QIODevice::WriteOnly) && writeAll(file, formatted(results)) && file.commit())
        return true;
    error = file.errorString();
    return false;
}

bool ResultsWriter::writeTo(QIODevice &device, const QByteArray &results)
{
    auto *file = qobject_cast<QFileDevice *>(&device);
    if (writeAll(device, formatted(results)) && (!file || file->flush()))
        return true;
    error = device.errorString();
    return false;
}

QString ResultsWriter::errorString() const
{
    return error;
}

QString ResultsWriter::unsuitable(const QString &path) const
{
    return QFileInfo(path).isDir() ? systemText(EISDIR)
                                   : tr("it is neither a file nor a pipe nor a character device");
}

QByteArray ResultsWriter::formatted(const QByteArray &results) const
{
    return format == Format::German ? toGermanNumberFormat(results) : results;
}
