#include "resultswriter.h"

#include "filesaver.h"
#include "germannumberformat.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>

ResultsWriter::ResultsWriter(Format format)
    : format(format)
{}

ResultsWriter::~ResultsWriter() = default;

bool ResultsWriter::canWrite(const QString &path)
{
    checkedPath.clear();
    saver.reset();
    const Target target = targetOf(path);
    if (target.kind != Target::File)
        return isSuitable(target) && canWriteInPlace(target);
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
    stopped = false;
    if (!saver || path != checkedPath) {
        const Target target = targetOf(path);
        if (target.kind != Target::File)
            return isSuitable(target) && writeInPlace(target, results);
        saver = std::make_unique<FileSaver>(target.path);
        checkedPath = path;
    }
    if (saver->save(results, conversion()))
        return true;
    error = saver->errorString();
    return false;
}

bool ResultsWriter::isSuitable(const Target &target)
{
    if (target.kind != Target::Unsuitable)
        return true;
    error = target.error;
    return false;
}

QString ResultsWriter::placeOf(const QString &path, QString &reason)
{
    const Target target = targetOf(path);
    reason = target.error;
    if (target.kind == Target::Unsuitable)
        return QString();
    return target.kind == Target::Descriptor ? path : target.path;
}

int ResultsWriter::descriptorOf(const QString &path)
{
    const Target target = targetOf(path);
    return target.kind == Target::Descriptor ? target.descriptor : -1;
}

QString ResultsWriter::errorString() const
{
    return error;
}

bool ResultsWriter::wasStopped() const
{
    return stopped;
}

// The C library's text, the same on every platform (a Windows error number
// means something else).
QString ResultsWriter::systemText(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

QByteArray ResultsWriter::sha256Of(const QByteArray &results) const
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    FileSaver::writeConverted(results, conversion(), [&hash](const char *data, qint64 size) {
        hash.addData(QByteArrayView(data, size));
        return true;
    });
    return hash.result().toHex();
}

FileSaver::Conversion ResultsWriter::conversion() const
{
    if (format == Format::German)
        return toGermanNumberFormat;
    return nullptr;
}
