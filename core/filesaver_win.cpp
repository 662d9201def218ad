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

bool FileSaver::save(const QByteArray &data)
{
    QSaveFile file(d->path);
    file.setDirectWriteFallback(true);
    // Unbuffered, and written on after a short write, so that the write that
    // fails names its cause: a short write names none, and commit() would
    // lose the failure of flushing a buffer and rename a short file.
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qint64 at = 0, part = 0; written && at < data.size(); at += part) {
        part = file.write(data.constData() + at, data.size() - at);
        written = part > 0;
    }
    if (written && file.commit())
        return true;
    d->error = file.errorString();
    return false;
}

QString FileSaver::errorString() const
{
    return d->error;
}
