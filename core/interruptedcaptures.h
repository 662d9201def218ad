#pragma once

#include "capturefolder.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

// The captures of downloads that were cut off by the program's own end (a
// kill, a crash, a power cut): they stop before their end line and no writer
// holds them. They hold what arrived, so they are offered like kept results,
// once: offering one renames it (CaptureFolder::markOffered()), and the
// folder prunes it like any other from then on.
class InterruptedCaptures
{
public:
    explicit InterruptedCaptures(const QString &folder = CaptureFolder::defaultPath());

    // The captures to offer, the oldest download first; not those being
    // written, here or by another instance. One where nothing had arrived is
    // marked offered instead.
    QStringList list() const;
    // What arrived, and when the download began; false for a capture that
    // cannot be read or has its end.
    static bool read(const QString &path, QByteArray &bytes, QDateTime &time);

private:
    QString folder;
};
