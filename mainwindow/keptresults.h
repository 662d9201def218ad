#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

#include <memory>
#include <thread>

class CaptureHold;

// The recovery file (RecoveryStore) of the results a window shows while they
// are unsaved: written as soon as a download ends, so that a kill, a crash or
// a power cut while the user decides loses nothing, and removed once they are
// saved or discarded. While this window keeps it, the file is held: another
// instance starting meanwhile does not offer it.
class KeptResults
{
public:
    KeptResults();
    // Waits for the file, which is then offered at the next start.
    ~KeptResults();
    KeptResults(const KeptResults &) = delete;
    KeptResults &operator=(const KeptResults &) = delete;

    // Keeps results, downloaded at downloaded, unless empty or already kept
    // (results do not change once their download has ended). A thread of
    // its own writes them: the window goes on answering, whatever their size.
    void keep(const QByteArray &results, const QDateTime &downloaded);
    // The results were saved or discarded: the file goes.
    void discard();
    // Until the file is written: the process may end right after.
    void waitForWritten();
    // The file, once written; an empty string after a failure or none kept.
    QString path();

private:
    // Only the writing thread touches these until waitForWritten() has joined it.
    std::thread writer;
    QString kept;
    QFile file;
    std::unique_ptr<CaptureHold> hold;
};
