#pragma once

#include "serialportinfo.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class CaptureWriter;
class DownloadSession;

// The window's captures: one for each download, in a folder of the program's
// data that keeps only the newest within a number of files and a size, so
// that support can be sent the capture of a download that went wrong.
class CaptureFolder
{
public:
    static constexpr int defaultMaxFiles = 20;
    static constexpr qint64 defaultMaxBytes = 50 * 1000 * 1000;

    explicit CaptureFolder(const QString &path = defaultPath(), int maxFiles = defaultMaxFiles,
                           qint64 maxBytes = defaultMaxBytes);
    // captures/ in the application's data folder.
    static QString defaultPath();

    // Records session, begun at started, into a new capture here named after
    // that time (port is what the port list knows of its port), after making
    // room for it, and brings
    // the folder within its limits again once the capture is complete: while
    // a download runs its capture comes on top. A capture that would pass the
    // size limit alone is cut there. The writer is the session's.
    CaptureWriter &keep(DownloadSession &session, const Kv::SerialPortInfo &port,
                        const QDateTime &started = QDateTime::currentDateTime()) const;
    // Removes the oldest captures until at most maxFiles - reserveFiles and
    // maxBytes remain, keeping those InterruptedCaptures still has to offer.
    // Other files in the folder are left alone.
    void prune(int reserveFiles = 0) const;
    // The oldest download first, by the time each records.
    QStringList captures() const;

    // Whether path stops before its end (the program that wrote it was cut
    // off) and has not been offered yet, whether or not it is being written;
    // such a capture is never pruned.
    static bool awaitsOffer(const QString &path);
    // The time keep() named the capture at path after; invalid for another name.
    static QDateTime startedAt(const QString &path);
    // Offered (download-...-interrupted.capture): never again, and pruned
    // like any other from then on.
    static bool markOffered(const QString &path);

private:
    QString path;
    int maxFiles;
    qint64 maxBytes;
};
