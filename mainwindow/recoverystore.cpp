#include "recoverystore.h"

#include "capturehold.h"
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
#include <QSet>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <tuple>

QString RecoveryStore::folderPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/unsaved-downloads");
}

QStringList RecoveryStore::fallbackFolderPaths()
{
    QStringList folders{
        PrivateFiles::temporaryFolder(QStringLiteral("THALDEN Datalogger unsaved downloads"))};
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty())
        folders << documents + QStringLiteral("/THALDEN Datalogger unsaved downloads");
    return folders;
}

QString RecoveryStore::legacyFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/unsaved-results");
}

QStringList RecoveryStore::keptFiles()
{
    QFileInfoList found;
    found << QDir(folderPath()).entryInfoList(QDir::Files);
    // Not from a folder another user made, where anyone's file could be offered.
    for (const QString &folder : fallbackFolderPaths()) {
        if (PrivateFiles::isOwnFolder(folder))
            found << QDir(folder).entryInfoList(QDir::Files);
    }
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

// Keeps results in folder, or in replacing; the file, or an empty string
// with the reason.
static QString keep(const QString &folder, const QByteArray &results, const QDateTime &time,
                    const QString &replacing, QString &reason)
{
    QString path = replacing;
    if (path.isEmpty()) {
        const bool shared = folder != RecoveryStore::folderPath();
        if (!PrivateFiles::makeFolder(folder))
            reason = QStringLiteral("its folder cannot be made");
        else if (shared && !PrivateFiles::isOwnFolder(folder))
            reason = QStringLiteral("the folder is not the user's alone");
        else
            path = reserveFile(folder, time, reason);
        if (path.isEmpty())
            return QString();
    }
    FileSaver file(path);
    if (!file.save(results)) {
        reason = file.errorString();
        if (replacing.isEmpty())
            QFile::remove(path);
        return QString();
    }
    QFile kept(path);
    if (kept.open(QIODevice::ReadWrite))
        kept.setFileTime(time, QFileDevice::FileModificationTime);
    return path;
}

// Said on standard error: the end of a session shows no box.
static void report(const QString &text)
{
    std::fprintf(stderr, "THALDEN Datalogger: %s\n", qUtf8Printable(text));
    std::fflush(stderr);
}

QString RecoveryStore::write(const QByteArray &results, const QDateTime &downloaded, const QString &replacing)
{
    // Without a download time, the time the results were first kept stands in.
    QDateTime time = downloaded;
    if (!time.isValid())
        time = replacing.isEmpty() ? QDateTime::currentDateTime() : QFileInfo(replacing).lastModified();
    QString reason;
    if (!replacing.isEmpty()) {
        if (!keep(QString(), results, time, replacing, reason).isEmpty())
            return replacing;
        report(QStringLiteral("the unsaved results could not be kept in %1: %2").arg(replacing, reason));
        return QString();
    }
    // The data folder first; where it cannot be written, the next place that can.
    bool fellBack = false;
    for (const QString &folder : QStringList{folderPath()} + fallbackFolderPaths()) {
        const QString path = keep(folder, results, time, QString(), reason);
        if (!path.isEmpty()) {
            if (fellBack)
                report(
                    QStringLiteral("the unsaved results were kept in %1 instead; the next start offers them.")
                        .arg(path));
            return path;
        }
        report(QStringLiteral("the unsaved results could not be kept in %1: %2").arg(folder, reason));
        fellBack = true;
    }
    return QString();
}

// Saves the kept file at path through the save dialog. The file is mapped,
// not read: kept results of any size take no memory of their own.
static bool saveKept(QFile &file, const QString &title, const QDateTime &downloaded)
{
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(nullptr, title,
                             RecoveryStore::tr("The kept results in %1 could not be read: %2",
                                               "%1 is a file path, %2 the system's reason")
                                 .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
        return false;
    }
    const qint64 size = file.size();
    QByteArray results;
    if (const uchar *mapped = file.map(0, size))
        results = QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), size);
    else
        results = file.readAll();
    const bool saved = !ResultsSaver::save(nullptr, title, results, downloaded).isEmpty();
    // The view must not outlive the mapping.
    results.clear();
    file.close();
    return saved;
}

// Asks question with more below it and the count of those to follow; Save
// runs save(). True once saved or discarded.
static bool settled(const QString &title, const QString &question, QStringList more, int later,
                    const std::function<bool()> &save)
{
    QMessageBox box(QMessageBox::Question, title, question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (later > 0)
        more << RecoveryStore::tr("%n more unsaved download(s) will follow.", nullptr, later);
    box.setInformativeText(more.join(QLatin1String("\n\n")));
    box.setDefaultButton(QMessageBox::Save);
    const int answer = box.exec();
    return answer == QMessageBox::Discard || (answer == QMessageBox::Save && save());
}

// Asks about the kept file at path, later more to follow; false once the
// user keeps it for the next start.
static bool offerKept(const QString &path, const QString &title, int later)
{
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile())
        return true;
    const QDateTime downloaded = info.lastModified();
    // Left empty by a program that ended while it kept its results.
    if (info.size() == 0) {
        file.remove();
        return true;
    }
    const QString question =
        RecoveryStore::tr("The results downloaded on %1 (%2) were not saved. Save them now?",
                          "The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.")
            .arg(QLocale().toString(downloaded, QLocale::ShortFormat), dataAmount(info.size()));
    QStringList place;
    // Kept where the data folder could not be written.
    if (info.path() != RecoveryStore::folderPath() && path != RecoveryStore::legacyFilePath())
        place << RecoveryStore::tr("They were kept in %1, as the program's data folder could not be written.",
                                   "%1 is a folder")
                     .arg(QDir::toNativeSeparators(info.path()));
    if (!settled(title, question, place, later, [&] { return saveKept(file, title, downloaded); }))
        return false;
    file.remove();
    return true;
}

// Asks about the interrupted download's capture at path, later more to
// follow; false once the user keeps it for the next start.
static bool offerInterrupted(const QString &path, const QString &title, int later)
{
    QByteArray arrived;
    QDateTime downloaded;
    if (!InterruptedCaptures::read(path, arrived, downloaded))
        return true;
    downloaded = downloaded.toLocalTime();
    const QString question =
        RecoveryStore::tr("The download of %1 was interrupted after %2. Save what arrived?",
                          "The %1 is the date and time of the download, the %2 an amount such as 12.3 kB.")
            .arg(QLocale().toString(downloaded, QLocale::ShortFormat), dataAmount(arrived.size()));
    if (!settled(title, question, {}, later,
                 [&] { return !ResultsSaver::save(nullptr, title, arrived, downloaded).isEmpty(); }))
        return false;
    CaptureFolder::markOffered(path);
    return true;
}

void RecoveryStore::offer()
{
    const QString title = QCoreApplication::translate("MainWindow", "Korvane DataLogger");
    QStringList kept;
    QSet<QDateTime> keptTimes;
    for (const QString &path : keptFiles()) {
        keptTimes << QFileInfo(path).lastModified();
        // The unsaved results of a window open in another instance.
        if (!CaptureHold::isHeld(path))
            kept << path;
    }
    // Downloads cut off by the program's end, asked about in the same turn;
    // not one whose results were kept whole when it ended (the program was
    // killed before its capture got its end): the kept file has its time.
    QStringList interrupted = InterruptedCaptures().list();
    interrupted.removeIf([&keptTimes](const QString &path) {
        return keptTimes.contains(CaptureFolder::startedAt(path)) && CaptureFolder::markOffered(path);
    });
    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (!offerKept(kept.at(i), title, int(kept.size() - i - 1 + interrupted.size())))
            return;
    }
    for (qsizetype i = 0; i < interrupted.size(); ++i) {
        if (!offerInterrupted(interrupted.at(i), title, int(interrupted.size() - i - 1)))
            return;
    }
}
