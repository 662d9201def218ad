#include "downloadsummary.h"

#include "captureformat.h"
#include "downloadsession.h"

#include <QCryptographicHash>

DownloadSummary DownloadSummary::of(const DownloadSession &session)
{
    const QByteArray &data = session.received();
    DownloadSummary summary;
    summary.bytes = data.size();
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (data[i] == '\n' || (data[i] == '\r' && (i + 1 == data.size() || data[i + 1] != '\n')))
            ++summary.lines;
    }
    if (!data.isEmpty() && data.back() != '\n' && data.back() != '\r')
        ++summary.lines;
    summary.msecsReceiving = session.msecsReceiving();
    summary.end = CaptureFormat::reasonWord(session.outcome());
    summary.sha256 = QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
    return summary;
}

QString DownloadSummary::line() const
{
    // Not translated: scripts and support read it in any language. Up to the
    // received bytes' SHA-256 a replay of the capture gives the same.
    QString text = QStringLiteral("Summary: %1 bytes, %2 lines, %3 s, %4, SHA-256 %5")
                       .arg(bytes)
                       .arg(lines)
                       .arg(double(msecsReceiving) / 1000, 0, 'f', 3)
                       .arg(QString::fromLatin1(end), QString::fromLatin1(sha256));
    if (!writtenSha256.isEmpty() && writtenSha256 != sha256)
        text += QStringLiteral(" (written: %1)").arg(QString::fromLatin1(writtenSha256));
    return text;
}

QJsonObject DownloadSummary::json() const
{
    return QJsonObject{{QStringLiteral("bytes"), bytes},
                       {QStringLiteral("lines"), lines},
                       {QStringLiteral("seconds"), double(msecsReceiving) / 1000},
                       {QStringLiteral("end"), QString::fromLatin1(end)},
                       {QStringLiteral("sha256"), QString::fromLatin1(sha256)},
                       {QStringLiteral("writtenSha256"),
                        writtenSha256.isEmpty() ? QJsonValue() : QString::fromLatin1(writtenSha256)}};
}
