#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>

class QIODevice;

// Replaces a file whole or not at all: the bytes go into a new file beside it,
// which is synced, renamed over the name through the folder that was checked
// and made durable there, so a full disk, a failing drive or a power cut
// leaves the earlier file or the new one, never a mix.
class FileSaver
{
    Q_DECLARE_TR_FUNCTIONS(FileSaver)

public:
    // Changes bytes in place on their way to the file, such as
    // toGermanNumberFormat(char *, qsizetype).
    using Conversion = void (*)(char *data, qsizetype size);

    // path names the file itself, its links already followed.
    explicit FileSaver(const QString &path);
    ~FileSaver();

    // Everything save() needs but the room, found out before the bytes exist:
    // it opens the folder and makes (and removes) the temporary file the save
    // will use. Saves go to the folder found here, whatever is renamed or
    // linked in its place later.
    bool check();
    // Checks first unless check() was called. In a folder that takes no new
    // file, an existing file the user may read and write is written in place,
    // as is a file with other links (which then all see the new bytes): the
    // room is reserved first, and a write that fails puts the earlier bytes
    // back.
    bool save(const QByteArray &data, Conversion convert = nullptr);

    // For a file written as it grows (a capture): checks first unless check()
    // was called, and puts a new, empty file of mode at the name at once, by
    // the rules a save follows (a file there replaced keeps its mode), or in
    // a folder that takes no new file empties the file there. Its descriptor
    // (the caller's to close), or -1. Linux only.
    int openGrowing(int mode);

    // Hands data to write, converted, in pieces: results of any size (a
    // kept file mapped into memory) are converted without a copy of them all.
    // False as soon as write() fails.
    static bool writeConverted(const QByteArray &data, Conversion convert,
                               const std::function<bool(const char *, qint64)> &write);
    // Writes to device on after a short write, so that a full disk ends in
    // an error that names its cause (a short write sets none).
    static bool writeAll(QIODevice &device, const char *data, qint64 size);

    QString errorString() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
