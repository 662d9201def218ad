#include "exitreport.h"

#include <QJsonDocument>
#include <QJsonObject>

void ExitReport::setRequested(bool requested)
{
    this->requested = requested;
}

bool ExitReport::isRequested() const
{
    return requested;
}

void ExitReport::setReason(const QString &reason)
{
    this->reason = reason;
}

void ExitReport::setDownload(const DownloadSummary &summary)
{
    download = summary;
}

void ExitReport::setWritten(bool saved)
{
    this->saved = saved;
    writeFailed = !saved;
}

bool ExitReport::isSaved() const
{
    return saved;
}

bool ExitReport::hasDownload() const
{
    return download.has_value();
}

QByteArray ExitReport::json(int exitCode) const
{
    QJsonObject object = download ? download->json() : QJsonObject();
    // Not the transfer's "complete": a script that looks at the end alone
    // must not take results that were lost for saved ones.
    if (download && writeFailed)
        object.insert(QStringLiteral("end"), QStringLiteral("write-failed"));
    object.insert(QStringLiteral("exit"), exitCode);
    object.insert(QStringLiteral("saved"), saved);
    if (exitCode != 0 && !reason.isEmpty())
        object.insert(QStringLiteral("message"), reason);
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}
