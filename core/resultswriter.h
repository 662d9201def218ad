#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include "filesaver.h"

#include <memory>

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
    ~ResultsWriter();

    // Whether writeFile(path) can work, found out before the results exist
    // (before the tester is asked): the folder, the name, the permission and
    // room on a full file system. Leaves nothing behind. A later
    // writeFile(path) writes where this looked, whatever is renamed or linked
    // in place of the path meanwhile.
    bool canWrite(const QString &path);
    // A file (or a name not taken yet) is replaced whole or not at all (see
    // FileSaver). A pipe or a character device (/dev/null) is written in
    // place, never replaced; /dev/stdout, /dev/stderr and /dev/fd/N write to
    // that descriptor as it was set up (appending to a log with >>); a
    // folder or any other kind of node is refused. A symbolic link in a
    // folder that everyone may write to (/tmp) is followed only when the
    // user or the folder's owner made it: another user's link could point
    // the results at any file.
    bool writeFile(const QString &path, const QByteArray &results);
    // Where a file written beside the results (a capture) goes: path with
    // the links followed that may be followed; an empty string, with why not
    // in reason, for another user's link in a shared folder, a folder, a
    // block device or a socket.
    static QString placeOf(const QString &path, QString &reason);
    // The descriptor that path stands for (/dev/stdout, /dev/fd/N, a link of
    // the user's to one), or -1.
    static int descriptorOf(const QString &path);

    // Writes to a device that is open already, such as standard output.
    bool writeTo(QIODevice &device, const QByteArray &results);

    // The SHA-256 (hexadecimal) of what writing results puts in the output,
    // to compare with the saved file.
    QByteArray sha256Of(const QByteArray &results) const;

    // Why the last write failed.
    QString errorString() const;
    // Whether it failed because stopBlockedWrites() ended a wait for a
    // reader (of a pipe, a FIFO, a terminal).
    bool wasStopped() const;

private:
    struct Target
    {
        enum Kind {
            File,       // a regular file, or a name not taken yet
            InPlace,    // a pipe or a character device
            Descriptor, // one the program has: /dev/stdout, /dev/fd/N
            Unsuitable,
        } kind = File;
        QString path;        // File, InPlace: with the links followed
        int descriptor = -1; // Descriptor
        QString error;       // Unsuitable: why
    };
    // What path names, following the symbolic links that may be followed.
    static Target targetOf(const QString &path);
    // False, with the reason, for an unsuitable target.
    bool isSuitable(const Target &target);
    // Whether target can be written in place, without writing.
    bool canWriteInPlace(const Target &target);
    bool writeInPlace(const Target &target, const QByteArray &results);

    static QString systemText(int errorNumber);
    // What the format changes on the way to the file, if anything.
    FileSaver::Conversion conversion() const;

    const Format format;
    QString error;
    bool stopped = false;
    // The file canWrite() checked, and its folder.
    QString checkedPath;
    std::unique_ptr<FileSaver> saver;
};
