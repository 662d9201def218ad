#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class QIODevice;

// Writes downloaded results for every front end: as received or in the German
// number format, whole, and with the system's reason when that fails.
class ResultsWriter
{
    Q_DECLARE_TR_FUNCTIONS(ResultsWriter)

public:
    enum class Format {
        AsReceived,
        German, // see toGermanNumberFormat()
    };

    explicit ResultsWriter(Format format = Format::AsReceived);

    // Whether writeFile(path) can work, found out before the results exist
    // (before the tester is asked): the folder, the name, the permission and
    // room on a full file system. Leaves nothing behind.
    bool canWrite(const QString &path);
    // A file (or a name not taken yet) is written beside the target and
    // renamed over it only once every byte is on disk: a full disk or a lost
    // drive leaves an existing file as it was. In a folder where no file may
    // be made but the target may be written, it writes in place; a failure
    // there can leave the old file damaged. A pipe or a character device
    // (/dev/null, a shell's /dev/fd/N) is written in place, never replaced;
    // a folder or any other kind of node is refused.
    bool writeFile(const QString &path, const QByteArray &results);
    // Writes to a device that is open already, such as standard output.
    bool writeTo(QIODevice &device, const QByteArray &results);

    // Why the last write failed.
    QString errorString() const;

private:
    enum class Target {
        File,    // a regular file, or a name not taken yet
        InPlace, // a pipe or a character device
        Unsuitable,
    };
    // What path names, following symbolic links.
    static Target targetOf(const QString &path);
    QString unsuitable(const QString &path) const;

    QByteArray formatted(const QByteArray &results) const;

    const Format format;
    QString error;
};
