#include "translations.h"

#include "appconstants.h"
#include "dialoglanguage.h"
#include "storedlanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
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
    if (QDir::isAbsolutePath(dirName))
        return dirName;
    const QString own = besideExecutable(dirName);
    if (holdsTranslations(own) || !holdsTranslations(dirName))
        return own;
    return dirName;
}

QStringList translationsSearchFolders(const QString &dirName)
{
    if (QDir::isAbsolutePath(dirName))
        return {dirName};
    QStringList folders{QFileInfo(besideExecutable(dirName)).absoluteFilePath()};
    const QString working = QFileInfo(dirName).absoluteFilePath();
    if (!folders.contains(working))
        folders << working;
    return folders;
}

// Qt's own texts (buttons, the command line's "Usage:") in the language now
// the default: its catalogue beside ours, as the packages ship it, otherwise
// the system's Qt's. Qt Base's own: qt_XX.qm would load those of modules the
// program does not use as well, and fail without them.
static void installQtTranslator(QObject *owner, const QString &translationsDir)
{
    auto *translator = new QTranslator(owner);
    const QString name = QStringLiteral("qtbase_%1.qm").arg(QLocale().name().left(2));
    for (const QString &folder : {translationsDir, QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator->load(folder + QLatin1Char('/') + name)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    delete translator;
}

bool loadApplicationTranslator(QTranslator *translator, const QString &translationsDir, bool *cancelled,
                               QString *unloadableFile)
{
    if (cancelled)
        *cancelled = false;
    const QString filePathKey = QStringLiteral("%1/FilePath").arg(SettingsKeyDialogLanguage);
    const QString codeKey = QStringLiteral("%1/Iso639Code").arg(SettingsKeyDialogLanguage);

    const QString stored = StoredLanguage::filePath();
    const QString loaded = StoredLanguage::load(translator, stored);
    if (loaded.isEmpty()) {
        DialogLanguage dialog(translationsDir, nullptr);
        if (dialog.languageCount() == 0)
            return false;
        if (dialog.exec() == QDialog::Rejected) {
            if (cancelled)
                *cancelled = true;
            return false;
        }
        if (!translator->load(dialog.selectedFilePath())) {
            if (unloadableFile)
                *unloadableFile = dialog.selectedFilePath();
            return false;
        }
    } else {
        // Kept in the form this version stores: relative to the program, also
        // where its file stood in for one in a copy that is gone.
        const QString form = StoredLanguage::storedForm(loaded);
        const QString keep = QDir::isRelativePath(form) ? form : stored;
        if (QSettings().value(filePathKey).toString() != keep)
            QSettings().setValue(filePathKey, keep);
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

    installQtTranslator(owner, translationsDir);
    return loaded;
}

bool installStoredTranslator(QObject *owner, QString *unloadableFile)
{
    const QString stored = StoredLanguage::filePath();
    auto *translator = new QTranslator(owner);
    const QString translationsDir = translationsDirectory(TranslationsDirName);
    if (StoredLanguage::load(translator, stored).isEmpty()) {
        if (unloadableFile && !stored.isEmpty())
            *unloadableFile = QDir::toNativeSeparators(StoredLanguage::candidates(stored).constFirst());
        // English stays, from its catalogue: the texts in the code have no
        // plural forms ("1 second(s)").
        if (translator->load(QStringLiteral("ThaldenDataLogger_en"), translationsDir))
            QCoreApplication::installTranslator(translator);
        return false;
    }
    QCoreApplication::installTranslator(translator);
    QLocale::setDefault(QLocale(
        QSettings().value(QStringLiteral("%1/Iso639Code").arg(SettingsKeyDialogLanguage)).toString()));
    installQtTranslator(owner, translationsDir);
    return true;
}
