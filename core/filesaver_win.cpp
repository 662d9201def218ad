#include "filesaver.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

struct FileSaver::Private
{
    QString path;
    QString error;
};

FileSaver::FileSaver(const QString &path)
    : d(std::make_unique<Private>())
{
    d->path = path;
}

FileSaver::~FileSaver() = default;

bool FileSaver::check()
{
    QFile probe(d->path);
    // Appending to an existing file changes nothing; a new name is made and
    // removed again.
    if (QFileInfo::exists(d->path) ? probe.open(QIODevice::Append)
                                   : probe.open(QIODevice::WriteOnly | QIODevice::NewOnly) && probe.remove())
        return true;
    d->error = probe.errorString();
    return false;
}

bool FileSaver::save(const QByteArray &data, Conversion convert)
{
    QSaveFile file(d->path);
    file.setDirectWriteFallback(true);
    // Unbuffered, and written on after a short write, so that the write that
    // fails names its cause: a short write names none, and commit() would
    // lose the failure of flushing a buffer and rename a short file.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         writeConverted(data, convert, [&file](const char *bytes, qint64 size) {
                             return writeAll(file, bytes, size);
                         });
    if (written && file.commit())
        return true;
    d->error = file.errorString();
    return false;
}

QString FileSaver::errorString() const
{
    return d->error;
}
