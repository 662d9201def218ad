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
    // QSaveFile's buffer is flushed here, not in commit(), which would lose a
    // failure of that flush and rename a short file over the earlier one.
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush() && file.commit())
        return true;
    d->error = file.errorString();
    return false;
}

QString FileSaver::errorString() const
{
    return d->error;
}
