#include "resultswriter.h"

#include "germannumberformat.h"

#include <QFileDevice>
#include <QSaveFile>

namespace {

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

bool ResultsWriter::writeFile(const QString &path, const QByteArray &results)
{
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

QByteArray ResultsWriter::formatted(const QByteArray &results) const
{
    return format == Format::German ? toGermanNumberFormat(results) : results;
}
