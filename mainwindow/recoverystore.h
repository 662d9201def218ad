#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Results the program could not ask about when it was told to end (the end of
// the desktop session): one file for each download in a folder of the
// application's data folder, offered for saving at the next start and removed
// once saved or discarded. Two programs ending together, or a second end
// before the next start, each keep their own. Where the data folder cannot be
// written, the results go to the next place that can: a folder of the user's
// in the system's temporary folder, then one in the documents folder.
class RecoveryStore
{
    Q_DECLARE_TR_FUNCTIONS(RecoveryStore)

public:
    static QString folderPath();
    // Where results are kept when folderPath() cannot be written, in order.
    static QStringList fallbackFolderPaths();
    // The one file that earlier versions kept; still offered.
    static QString legacyFilePath();
    // The kept files in every folder, the oldest download first.
    static QStringList keptFiles();
    // Keeps results in a new file named after downloaded (the time of the
    // download, also its modification time), beside any other; replacing, a
    // file an earlier call returned for the same download, is written over
    // instead. Returns the file, or an empty string after a failure. A
    // failure, and results kept outside the data folder, are reported on
    // standard error.
    static QString write(const QByteArray &results, const QDateTime &downloaded,
                         const QString &replacing = QString());
    // Asks about each kept file in turn (but those another instance's window
    // holds), with its time, size and, outside the data folder, its place,
    // then about each interrupted download's capture (InterruptedCaptures)
    // whose results no kept file holds: Save runs the save dialog and Discard removes the
    // file (or marks the capture offered), then the next is asked about;
    // Cancel, or a save not made, keeps it and those after it for the next
    // start. A kept file is read only when it is saved, and then mapped
    // rather than copied, whatever its size.
    static void offer();
};
