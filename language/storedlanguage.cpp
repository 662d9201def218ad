#include "storedlanguage.h"

#include "appconstants.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTranslator>

static QString filePathKey()
{
    return QStringLiteral("%1/FilePath").arg(SettingsKeyDialogLanguage);
}

static bool isInProgramFolder(const QString &absoluteFilePath)
{
    const QFileInfo file(absoluteFilePath);
    const QString folder = StoredLanguage::programFolder();
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity caseSensitivity = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity caseSensitivity = Qt::CaseSensitive;
#endif
    if (QDir::cleanPath(file.absolutePath()).compare(folder, caseSensitivity) == 0)
        return true;
    // Reached through a link (a folder moved and linked back).
    const QString canonical = QFileInfo(file.absolutePath()).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(folder).canonicalFilePath();
}

QString StoredLanguage::programFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') + TranslationsDirName);
}

QString StoredLanguage::storedForm(const QString &filePath)
{
    if (filePath.isEmpty())
        return filePath;
    const QString path = QDir::fromNativeSeparators(filePath);
    // A relative listing is the working folder's Translations, a copy of the program's own.
    if (QDir::isRelativePath(path) || isInProgramFolder(path))
        return TranslationsDirName + QLatin1Char('/') + QFileInfo(path).fileName();
    return path;
}

QString StoredLanguage::filePath()
{
    return storedForm(QSettings().value(filePathKey()).toString());
}

void StoredLanguage::store(const QString &chosenFilePath, const QString &iso639Code)
{
    QSettings settings;
    settings.setValue(filePathKey(), storedForm(chosenFilePath));
    settings.setValue(QStringLiteral("%1/Iso639Code").arg(SettingsKeyDialogLanguage), iso639Code);
}

QStringList StoredLanguage::candidates(const QString &stored)
{
    if (stored.isEmpty())
        return {};
    const QString path = QDir::fromNativeSeparators(stored);
    const QString besideProgram = programFolder() + QLatin1Char('/') + QFileInfo(path).fileName();
    if (QDir::isRelativePath(path))
        return {QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') + path),
                QFileInfo(path).absoluteFilePath()};
    return {path, besideProgram};
}

QString StoredLanguage::load(QTranslator *translator, const QString &stored)
{
    for (const QString &candidate : candidates(stored)) {
        if (translator->load(candidate))
            return candidate;
    }
    return QString();
}
