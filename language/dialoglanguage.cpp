#include "dialoglanguage.h"

#include "appconstants.h"
#include "languagepreselection.h"
#include "storedlanguage.h"

#include <QDir>
#include <QLocale>
#include <QSettings>

DialogLanguage::DialogLanguage(const QString &translationsDir, QWidget *parent)
    : QDialog(parent)
{
    ui.setupUi(this);

    // The stored file as it resolves now, wherever that is.
    const QStringList stored = StoredLanguage::candidates(StoredLanguage::filePath());
    QString storedFilePath = stored.value(0);
    for (const QString &candidate : stored) {
        if (QFileInfo::exists(candidate)) {
            storedFilePath = candidate;
            break;
        }
    }
    const LanguagePreselection preselection(storedFilePath, QLocale::system());
    for (const QFileInfo &file : translationFiles(translationsDir)) {
        const QString path = file.filePath();
        // The two characters before ".qm" name the language.
        const QString code = path.mid(path.length() - 5, 2);
        const QLocale locale(code);

        const int index = ui.languageCombo->count();
        ui.languageCombo->insertItem(index, QLocale::languageToString(locale.language()));
        ui.languageCombo->setItemData(index, path, Qt::UserRole);
        ui.languageCombo->setItemData(index, code, Qt::UserRole + 1);

        // A later match replaces an earlier one.
        if (preselection.matches(path, locale.language()))
            ui.languageCombo->setCurrentIndex(index);
    }
}

DialogLanguage::~DialogLanguage() = default;

void DialogLanguage::accept()
{
    StoredLanguage::store(selectedFilePath(), selectedIso639Code());
    QDialog::accept();
}

QString DialogLanguage::selectedFilePath() const
{
    return ui.languageCombo->currentData(Qt::UserRole).toString();
}

QString DialogLanguage::selectedIso639Code() const
{
    return ui.languageCombo->currentData(Qt::UserRole + 1).toString();
}

int DialogLanguage::languageCount() const
{
    return ui.languageCombo->count();
}

QFileInfoList DialogLanguage::translationFiles(const QString &translationsDir)
{
    QDir dir(translationsDir);
    dir.setFilter(QDir::Files);
    dir.setNameFilters({QStringLiteral("ThaldenDataLogger*.qm")});
    return dir.entryInfoList();
}
