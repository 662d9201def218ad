#include "recoverystore.h"

#include "dataamount.h"
#include "filesaver.h"
#include "interruptedcaptures.h"
#include "privatefiles.h"
#include "resultssaver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <tuple>

QString RecoveryStore::folderPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/unsaved-downloads");
}

QString RecoveryStore::legacyFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/unsaved-results");
}

QStringList RecoveryStore::keptFiles()
{
    QFileInfoList found = QDir(folderPath()).entryInfoList(QDir::Files);
    if (QFileInfo(legacyFilePath()).isFile())
        found << QFileInfo(legacyFilePath());
    // Each file is modified at its download's time; of two the same second,
    // the one whose name took no number came first.
    std::sort(found.begin(), found.end(), [](const QFileInfo &a, const QFileInfo &b) {
        const auto key = [](const QFileInfo &file) {
            return std::make_tuple(file.lastModified(), file.fileName().size(), file.fileName());
        };
        return key(a) < key(b);
    });
    QStringList paths;
    for (const QFileInfo &file : std::as_const(found))
        paths << file.filePath();
    return paths;
}

// Creates the first free file named after time; creating it at once keeps
// the name from another program that ends at the same moment.
static QString reserveFile(const QString &folder, const QDateTime &time, QString &reason)
{
    const QString stem = folder + QLatin1Char('/') + time.toString(QStringLiteral("yyyy-MM-dd'T'HH-mm-ss"));
    for (int number = 1;; ++number) {
        const QString path =
            number == 1 ? stem + QStringLiteral(".csv") : QStringLiteral("%1-%2.csv").arg(stem).arg(number);
        QFile file(path);
        // QSaveFile, which writes it, keeps its mode.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, PrivateFiles::fileMode))
            return path;
        if (!file.exists()) {
            reason = file.errorString();
            return QString();
        }
    }
}

QString RecoveryStore::write(const QByteArray &results, const QDateTime &downloaded, const QString &replacing)
{
    // Without a download time, the time the results were first kept stands in.
    QDateTime time = downloaded;
    if (!time.isValid())
        time = replacing.isEmpty() ? QDateTime::currentDateTime() : QFileInfo(replacing).lastModified();
    QString path = replacing;
    QString reason;
    if (!PrivateFiles::makeFolder(folderPath()))
        reason = QStringLiteral("its folder cannot be made");
    else if (path.isEmpty())
        path = reserveFile(folderPath(), time, reason);
    if (reason.isEmpty()) {
        FileSaver file(path);
        if (!file.save(results))
            reason = file.errorString();
    }
    if (!reason.isEmpty()) {
        if (replacing.isEmpty() && !path.isEmpty())
            QFile::remove(path);
        std::fprintf(stderr, "THALDEN Datalogger: the unsaved results could not be kept in %s: %s\n",
                     qUtf8Printable(path.isEmpty() ? folderPath() : path), qUtf8Printable(reason));
        std::fflush(stderr);
        return QString();
    }
    QFile kept(path);
    if (kept.open(QIODevice::ReadWrite))
        kept.setFileTime(time, QFileDevice::FileModificationTime);
    return path;
}

void RecoveryStore::offer()
{
    const QString title = QCoreApplication::translate("MainWindow", "Korvane DataLogger");
    const QStringList kept = keptFiles();
    // Downloads cut off by the program's end, asked about in the same turn.
    const QStringList interrupted = InterruptedCaptures().list();
    // Save runs the save dialog; true once saved or discarded.
    const auto settled = [&title](const QString &question, int later, const QByteArray &results,
                                  const QDateTime &downloaded) {
        QMessageBox box(QMessageBox::Question, title, question,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        if (later > 0)
            box.setInformativeText(tr("%n more unsaved download(s) will follow.", nullptr, later));
        box.setDefaultButton(QMessageBox::Save);
        const int answer = box.exec();
        return answer == QMessageBox::Discard ||
               (answer == QMessageBox::Save &&
                !ResultsSaver::save(nullptr, title, results, downloaded).isEmpty());
    };
    for (qsizetype i = 0; i < kept.size(); ++i) {
        QFile file(kept.at(i));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QDateTime downloaded = file.fileTime(QFileDevice::FileModificationTime);
        const QByteArray results = file.readAll();
        file.close();
        // Left empty by a program that ended while it kept its results.
        if (results.isEmpty()) {
            file.remove();
            continue;
        }
        const QString question =
            tr("The results downloaded on %1 (%2) were not saved. Save them now?",
               "The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.")
                .arg(QLocale().toString(downloaded, QLocale::ShortFormat), dataAmount(results.size()));
        if (!settled(question, int(kept.size() - i - 1 + interrupted.size()), results, downloaded))
            return;
        file.remove();
    }
    for (qsizetype i = 0; i < interrupted.size(); ++i) {
        QByteArray arrived;
        QDateTime downloaded;
        if (!InterruptedCaptures::read(interrupted.at(i), arrived, downloaded))
            continue;
        downloaded = downloaded.toLocalTime();
        const QString question =
            tr("The download of %1 was interrupted after %2. Save what arrived?",
               "The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.")
                .arg(QLocale().toString(downloaded, QLocale::ShortFormat), dataAmount(arrived.size()));
        if (!settled(question, int(interrupted.size() - i - 1), arrived, downloaded))
            return;
        InterruptedCaptures::markOffered(interrupted.at(i));
    }
}
