#pragma once

#include <QString>
#include <QStringList>

class QTranslator;

// The language choice as the settings keep it: relative to the program's
// folder (Translations/ThaldenDataLogger_de.qm), so that it holds whatever
// folder the program is started from and whichever copy it was chosen in.
class StoredLanguage
{
public:
    // The stored value, as this version reads it: an absolute path into the
    // program's own translations folder, as earlier versions stored it, in
    // the relative form.
    static QString filePath();
    // Stores the file chosen from a listing, with its language code.
    static void store(const QString &chosenFilePath, const QString &iso639Code);
    // The value to store for a file listed in a translations folder.
    static QString storedForm(const QString &filePath);

    // The files a stored value can name, the one meant first: a relative one
    // beside the program, then in the working folder; an absolute one as it
    // is, then a file of its name beside the program (its copy may be gone).
    static QStringList candidates(const QString &stored);
    // Loads the first candidate that loads into translator; the file that
    // loaded, or an empty string.
    static QString load(QTranslator *translator, const QString &stored);

    // The program's own translations folder, absolute.
    static QString programFolder();
};
