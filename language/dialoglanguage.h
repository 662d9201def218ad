#pragma once

#include "ui_dialoglanguage.h"

#include <QDialog>
#include <QFileInfoList>

// Lets the user pick one of the translation files in the translations folder
// and stores the choice (file path and two-letter language code) on OK.
class DialogLanguage : public QDialog
{
    Q_OBJECT

public:
    explicit DialogLanguage(const QString &translationsDir, QWidget *parent = nullptr);
    ~DialogLanguage() override;

    void accept() override;

    QString selectedFilePath() const;
    QString selectedIso639Code() const;
    int languageCount() const;

    // The application's translation files in translationsDir, in the order listed.
    static QFileInfoList translationFiles(const QString &translationsDir);

private:
    Ui::DialogLanguage ui;
};
