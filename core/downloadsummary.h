#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

class DownloadSession;

// One ended download in figures, for scripts and for support: compared with
// the summary of a capture's replay, it shows whether both saw the same bytes.
struct DownloadSummary
{
    qint64 bytes = 0;
    // Line ends (a line feed, a carriage return and a line feed, or a lone
    // carriage return), and a last line without one.
    qint64 lines = 0;
    qint64 msecsReceiving = 0;
    QByteArray end; // the capture format's word for the outcome
    QByteArray sha256;
    // Of what was written to the output (converted to the German number
    // format, say); empty when nothing was.
    QByteArray writtenSha256;

    static DownloadSummary of(const DownloadSession &session);

    // "Summary: 23718 bytes, 412 lines, 24.112 s, complete, SHA-256 9d5e...",
    // and " (written: 4a1c...)" where the output differs from what arrived.
    QString line() const;
    // The same as a JSON object: bytes, lines, seconds, end, sha256, and
    // writtenSha256 (null when nothing was written).
    QJsonObject json() const;
};
