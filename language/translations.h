#pragma once

#include <QString>
#include <QStringList>

class QObject;
class QTranslator;

// The translations folder to use for the relative name dirName: the one
// beside the executable, whatever folder the program is started from; the
// one in the working directory only when the executable has none (a copy of
// the program without its folder).
QString translationsDirectory(const QString &dirName);

// The folders translationsDirectory() considers, as absolute paths, for messages.
QStringList translationsSearchFolders(const QString &dirName);

// Loads the stored application translation into translator, asking for a
// language with DialogLanguage when it does not load, and makes the chosen
// language the default locale. Returns false when nothing could be loaded;
// *cancelled (when given) tells whether that was because the user cancelled,
// *unloadableFile (when given) names the chosen file when it would not load.
bool loadApplicationTranslator(QTranslator *translator, const QString &translationsDir,
                               bool *cancelled = nullptr, QString *unloadableFile = nullptr);

// Creates, loads and installs this window cycle's translators (the
// application's, then Qt's own for the same language) as children of owner.
// Returns the result of loadApplicationTranslator().
bool installTranslators(QObject *owner, const QString &translationsDir, bool *cancelled = nullptr,
                        QString *unloadableFile = nullptr);

// Installs the stored application translation and Qt's own for its language,
// as children of owner, without ever asking, and makes its language the
// default locale. False when none is stored or it does not load: English
// stays, from its own catalogue; *unloadableFile (when given) then names the
// stored file that did not load.
bool installStoredTranslator(QObject *owner, QString *unloadableFile = nullptr);
