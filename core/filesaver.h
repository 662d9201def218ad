#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <memory>

// Replaces a file whole or not at all: the bytes go into a new file beside it,
// which is synced, renamed over the name through the folder that was checked
// and made durable there, so a full disk, a failing drive or a power cut
// leaves the earlier file or the new one, never a mix.
class FileSaver
{
    Q_DECLARE_TR_FUNCTIONS(FileSaver)

public:
    // path names the file itself, its links already followed.
    explicit FileSaver(const QString &path);
    ~FileSaver();

    // Everything save() needs but the room, found out before the bytes exist:
    // it opens the folder and makes (and removes) the temporary file the save
    // will use. Saves go to the folder found here, whatever is renamed or
    // linked in its place later.
    bool check();
    // Checks first unless check() was called. In a folder that takes no new
    // file, an existing file the user may write is written in place, where a
    // failure can leave it damaged.
    bool save(const QByteArray &data);

    QString errorString() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
