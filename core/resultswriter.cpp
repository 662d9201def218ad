#include "resultswriter.h"

#include "filesaver.h"
#include "germannumberformat.h"

#include <QFileDevice>
#include <QFileInfo>
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

ResultsWriter::~ResultsWriter() = default;

bool ResultsWriter::canWrite(const QString &path)
{
    checkedPath.clear();
    saver.reset();
    const Target target = targetOf(path);
    switch (target.kind) {
    case Target::Unsuitable:
        error = target.error;
        return false;
    case Target::InPlace:
    case Target::Descriptor:
        return canWriteInPlace(target);
    case Target::File:
        break;
    }
    auto checked = std::make_unique<FileSaver>(target.path);
    if (!checked->check()) {
        error = checked->errorString();
        return false;
    }
    const QStorageInfo volume(QFileInfo(target.path).absolutePath());
    if (volume.isValid() && volume.bytesAvailable() == 0) {
        error = systemText(ENOSPC);
        return false;
    }
    checkedPath = path;
    saver = std::move(checked);
    return true;
}

bool ResultsWriter::writeFile(const QString &path, const QByteArray &results)
{
    if (!saver || path != checkedPath) {
        const Target target = targetOf(path);
        switch (target.kind) {
        case Target::Unsuitable:
            error = target.error;
            return false;
        case Target::InPlace:
        case Target::Descriptor:
            return writeInPlace(target, formatted(results));
        case Target::File:
            saver = std::make_unique<FileSaver>(target.path);
            checkedPath = path;
            break;
        }
    }
    if (saver->save(formatted(results)))
        return true;
    error = saver->errorString();
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

QByteArray ResultsWriter::formatted(const QByteArray &results) const
{
    return format == Format::German ? toGermanNumberFormat(results) : results;
}
