#pragma once

#include <QFile>
#include <QString>

// The writer's hold on a capture it has open: a lock the system drops with
// the process (also a killed one), so that another instance can tell a
// capture being written from one whose writer is gone; and the sync that
// puts what was written on the disk.
class CaptureHold
{
public:
    // Takes the lock on file, which is open for writing at path.
    CaptureHold(QFile &file, const QString &path);
    ~CaptureHold();
    CaptureHold(const CaptureHold &) = delete;
    CaptureHold &operator=(const CaptureHold &) = delete;

    // Puts what was written to file on the disk. Returns the system's reason
    // after a failure; a file that cannot be synced (a pipe) is not one.
    QString sync();

    // Whether a writer, this process's included, holds path now.
    static bool isHeld(const QString &path);

private:
    QFile &file;
    const QString path;
    // On Windows, a handle of its own for the lock and the sync.
    void *handle = nullptr;
    bool folderSynced = false;
};
