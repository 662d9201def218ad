#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Writes downloaded results for every front end: as received or in the German
// number format, whole, and with the system's reason when that fails.
class ResultsWriter
{
public:
    enum class Format {
        AsReceived,
        German, // see toGermanNumberFormat()
    };

    explicit ResultsWriter(Format format = Format::AsReceived);

    // Writes beside the target and renames over it only once every byte is on
    // disk: a full disk or a lost drive leaves an existing file as it was. In
    // a folder where no file may be made but the target may be written, it
    // writes in place; a failure there can leave the old file damaged.
    bool writeFile(const QString &path, const QByteArray &results);
    // Writes to a device that is open already, such as standard output.
    bool writeTo(QIODevice &device, const QByteArray &results);

    // Why the last write failed.
    QString errorString() const;

private:
    QByteArray formatted(const QByteArray &results) const;

    const Format format;
    QString error;
};
