#pragma once

#include <QLocale>
#include <QString>

// Which listed translation the language dialog starts on: the stored file,
// wherever the program runs from, or with nothing stored the system's language.
class LanguagePreselection
{
public:
    LanguagePreselection(const QString &storedFilePath, const QLocale &systemLocale);

    // Whether the listed file of the given language is the one to preselect.
    bool matches(const QString &listedFilePath, QLocale::Language language) const;

private:
    QString storedFilePath;
    QString storedCanonicalPath;
    QLocale::Language preferredLanguage;
};
