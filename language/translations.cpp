#include "translations.h"

#include "appconstants.h"
#include "dialoglanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

static bool holdsTranslations(const QString &folder)
{
    return !DialogLanguage::translationFiles(folder).isEmpty();
}

static QString besideExecutable(const QString &relativePath)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + relativePath;
}

QString translationsDirectory(const QString &dirName)
{
    if (QDir::isAbsolutePath(dirName) || holdsTranslations(dirName))
        return dirName;
    const QString fallback = besideExecutable(dirName);
    return holdsTranslations(fallback) ? fallback : dirName;
}

QStringList translationsSearchFolders(const QString &dirName)
{
    QStringList folders{QFileInfo(dirName).absoluteFilePath()};
    if (!QDir::isAbsolutePath(dirName)) {
        const QString fallback = QFileInfo(besideExecutable(dirName)).absoluteFilePath();
        if (!folders.contains(fallback))
            folders << fallback;
    }
    return folders;
}

// A stored relative path was relative to the working directory of an earlier
// run; when it does not resolve there, try it beside the executable.
static bool loadTranslation(QTranslator *translator, const QString &path)
{
    if (translator->load(path))
        return true;
    return !path.isEmpty() && QDir::isRelativePath(path) && translator->load(besideExecutable(path));
}

bool loadApplicationTranslator(QTranslator *translator, const QString &translationsDir, bool *cancelled,
                               QString *unloadableFile)
{
    if (cancelled)
        *cancelled = false;
    const QString filePathKey = QStringLiteral("%1/FilePath").arg(SettingsKeyDialogLanguage);
    const QString codeKey = QStringLiteral("%1/Iso639Code").arg(SettingsKeyDialogLanguage);

    if (!loadTranslation(translator, QSettings().value(filePathKey).toString())) {
        DialogLanguage dialog(translationsDir, nullptr);
        if (dialog.languageCount() == 0)
            return false;
        if (dialog.exec() == QDialog::Rejected) {
            if (cancelled)
                *cancelled = true;
            return false;
        }
        if (!loadTranslation(translator, dialog.selectedFilePath())) {
            if (unloadableFile)
                *unloadableFile = dialog.selectedFilePath();
            return false;
        }
    }

    QLocale::setDefault(QLocale(QSettings().value(codeKey).toString()));
    return true;
}

bool installTranslators(QObject *owner, const QString &translationsDir, bool *cancelled,
                        QString *unloadableFile)
{
    auto *applicationTranslator = new QTranslator(owner);
    const bool loaded =
        loadApplicationTranslator(applicationTranslator, translationsDir, cancelled, unloadableFile);
    if (loaded)
        QCoreApplication::installTranslator(applicationTranslator);

    auto *qtTranslator = new QTranslator(owner);
    const QString language = QLocale().name().left(2);
    if (qtTranslator->load(QStringLiteral("%1/qt_%2.qm").arg(translationsDir, language)))
        QCoreApplication::installTranslator(qtTranslator);

    return loaded;
}

bool installStoredTranslator(QObject *owner)
{
    QSettings settings;
    auto *translator = new QTranslator(owner);
    if (!loadTranslation(
            translator,
            settings.value(QStringLiteral("%1/FilePath").arg(SettingsKeyDialogLanguage)).toString())) {
        // English stays, from its catalogue: the texts in the code have no
        // plural forms ("1 second(s)").
        if (translator->load(QStringLiteral("ThaldenDataLogger_en"),
                             translationsDirectory(TranslationsDirName)))
            QCoreApplication::installTranslator(translator);
        return false;
    }
    QCoreApplication::installTranslator(translator);
    QLocale::setDefault(
        QLocale(settings.value(QStringLiteral("%1/Iso639Code").arg(SettingsKeyDialogLanguage)).toString()));
    return true;
}
