#include "recoverystore.h"

#include "resultssaver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstdio>

QString RecoveryStore::filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/unsaved-results");
}

bool RecoveryStore::write(const QByteArray &results, const QDateTime &downloaded)
{
    const QString path = filePath();
    QSaveFile file(path);
    QString reason;
    if (!QDir().mkpath(QFileInfo(path).path()))
        reason = QStringLiteral("its folder cannot be made");
    else if (!file.open(QIODevice::WriteOnly) || file.write(results) != results.size() || !file.commit())
        reason = file.errorString();
    if (!reason.isEmpty()) {
        std::fprintf(stderr, "THALDEN Datalogger: the unsaved results could not be kept in %s: %s\n",
                     qUtf8Printable(path), qUtf8Printable(reason));
        std::fflush(stderr);
        return false;
    }
    if (downloaded.isValid()) {
        QFile kept(path);
        if (kept.open(QIODevice::ReadWrite))
            kept.setFileTime(downloaded, QFileDevice::FileModificationTime);
    }
    return true;
}

void RecoveryStore::offer()
{
    QFile kept(filePath());
    if (!kept.exists())
        return;
    const QString title = QCoreApplication::translate("MainWindow", "Korvane DataLogger");
    QMessageBox box(QMessageBox::Question, title,
                    tr("Results of an earlier download were not saved. Save them now?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    const int answer = box.exec();
    if (answer == QMessageBox::Save) {
        if (!kept.open(QIODevice::ReadOnly))
            return;
        const QDateTime downloaded = kept.fileTime(QFileDevice::FileModificationTime);
        const QByteArray results = kept.readAll();
        kept.close();
        if (!ResultsSaver::save(nullptr, title, results, downloaded).isEmpty())
            kept.remove();
    } else if (answer == QMessageBox::Discard) {
        kept.remove();
    }
}
