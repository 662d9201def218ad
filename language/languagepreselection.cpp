#include "languagepreselection.h"

#include <QFileInfo>

LanguagePreselection::LanguagePreselection(const QString &storedFilePath, const QLocale &systemLocale)
    : storedFilePath(storedFilePath)
    , storedCanonicalPath(storedFilePath.isEmpty() ? QString()
                                                   : QFileInfo(storedFilePath).canonicalFilePath())
    , preferredLanguage(systemLocale.language())
{
    // The C and POSIX locales name no language; English is the closest.
    if (preferredLanguage == QLocale::C || preferredLanguage == QLocale::AnyLanguage)
        preferredLanguage = QLocale::English;
}

bool LanguagePreselection::matches(const QString &listedFilePath, QLocale::Language language) const
{
    if (storedFilePath.isEmpty())
        return language == preferredLanguage;

    // A relative path stored by a run from another folder names the same file
    // as an absolute one listed now, and the reverse. Where the stored path
    // does not resolve here, its file name has to do.
    const QString listedCanonicalPath = QFileInfo(listedFilePath).canonicalFilePath();
    if (!storedCanonicalPath.isEmpty() && !listedCanonicalPath.isEmpty())
        return storedCanonicalPath == listedCanonicalPath;
    return QFileInfo(storedFilePath).fileName() == QFileInfo(listedFilePath).fileName();
}
