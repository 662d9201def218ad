#include "dialoglanguage.h"
#include "languagepreselection.h"
#include "testsupport.h"

#include <QComboBox>
#include <QScopeGuard>

// Runs as a German system (LC_ALL=de_DE.UTF-8, set by CTest).
class TestDialogLanguage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup()
    {
        TestSupport::stopWatching();
    }
    void listingAndPreselection_data();
    void listingAndPreselection();
    void acceptStoresChoice();
    void rejectStoresNothing();
    void acceptOnEmptyListStoresEmptyStrings();
    void preselectionWherever_data();
    void preselectionWherever();

private:
    QComboBox *combo(DialogLanguage &dialog)
    {
        return dialog.findChild<QComboBox *>("languageCombo");
    }
    QString makeFolder(const QStringList &files);

    std::unique_ptr<QTemporaryDir> folder;
};

void TestDialogLanguage::init()
{
    QSettings().clear();
    folder = std::make_unique<QTemporaryDir>();
}

QString TestDialogLanguage::makeFolder(const QStringList &files)
{
    for (const QString &name : files) {
        if (name.endsWith(QLatin1Char('/'))) {
            QDir(folder->path()).mkpath(name);
            continue;
        }
        QFile file(folder->filePath(name));
        file.open(QIODevice::WriteOnly);
    }
    return folder->path();
}

void TestDialogLanguage::listingAndPreselection_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QStringList>("expectedNames");
    QTest::addColumn<int>("expectedCurrent");

    QTest::newRow("system language preselected, Qt's own file not listed")
        << QStringList{"ThaldenDataLogger_de.qm", "ThaldenDataLogger_en.qm", "qtbase_de.qm"} << QString()
        << QStringList{"ThaldenDataLogger_de.qm", "ThaldenDataLogger_en.qm"} << 0;
    QTest::newRow("stored choice wins over the system language")
        << QStringList{"ThaldenDataLogger_de.qm", "ThaldenDataLogger_en.qm"} << "ThaldenDataLogger_en.qm"
        << QStringList{"ThaldenDataLogger_de.qm", "ThaldenDataLogger_en.qm"} << 1;
    QTest::newRow("stored file gone: first entry, system language not consulted")
        << QStringList{"ThaldenDataLogger_en.qm", "ThaldenDataLogger_fr.qm", "ThaldenDataLoggerZ_de.qm"}
        << "ThaldenDataLogger_it.qm"
        << QStringList{"ThaldenDataLogger_en.qm", "ThaldenDataLogger_fr.qm", "ThaldenDataLoggerZ_de.qm"} << 0;
    QTest::newRow("no entry in the system language: first entry")
        << QStringList{"ThaldenDataLogger_fr.qm", "ThaldenDataLogger_en.qm"} << QString()
        << QStringList{"ThaldenDataLogger_en.qm", "ThaldenDataLogger_fr.qm"} << 0;
    QTest::newRow("two files of one language: the later one")
        << QStringList{"ThaldenDataLogger_de.qm", "ThaldenDataLogger2_de.qm", "ThaldenDataLogger_en.qm"}
        << QString()
        << QStringList{"ThaldenDataLogger2_de.qm", "ThaldenDataLogger_de.qm", "ThaldenDataLogger_en.qm"} << 1;
    QTest::newRow("pattern ignores case, folders and other files are skipped")
        << QStringList{"thaldendatalogger_nl.QM", "ThaldenDataLogger_it.qm/", "readme.txt",
                       "ThaldenDataLogger_de.ts"}
        << QString() << QStringList{"thaldendatalogger_nl.QM"} << 0;
}

void TestDialogLanguage::listingAndPreselection()
{
    QFETCH(QStringList, files);
    QFETCH(QString, storedName);
    QFETCH(QStringList, expectedNames);
    QFETCH(int, expectedCurrent);

    QCOMPARE(QLocale::system().language(), QLocale::German);
    const QString dir = makeFolder(files);
    if (!storedName.isEmpty())
        TestSupport::storeLanguage(dir + QLatin1Char('/') + storedName, storedName.mid(18, 2));

    DialogLanguage dialog(dir);
    QComboBox *list = combo(dialog);
    QCOMPARE(list->count(), expectedNames.size());
    for (int i = 0; i < list->count(); ++i) {
        const QString path = dir + QLatin1Char('/') + expectedNames.at(i);
        const QString code = path.mid(path.length() - 5, 2);
        QCOMPARE(list->itemData(i, Qt::UserRole).toString(), path);
        QCOMPARE(list->itemData(i, Qt::UserRole + 1).toString(), code);
        QCOMPARE(list->itemText(i), QLocale::languageToString(QLocale(code).language()));
    }
    QCOMPARE(list->currentIndex(), expectedCurrent);
    QCOMPARE(dialog.selectedFilePath(), dir + QLatin1Char('/') + expectedNames.at(expectedCurrent));
}

void TestDialogLanguage::acceptStoresChoice()
{
    const QString dir =
        makeFolder({"ThaldenDataLogger_de.qm", "ThaldenDataLogger_en.qm", "ThaldenDataLogger_xx.qm"});
    DialogLanguage dialog(dir);
    // A name whose code is no language is listed all the same and stores its two characters.
    combo(dialog)->setCurrentIndex(2);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    QSettings settings;
    QCOMPARE(settings.value("KvGui/DialogLanguage/FilePath").toString(), dir + "/ThaldenDataLogger_xx.qm");
    QCOMPARE(settings.value("KvGui/DialogLanguage/Iso639Code").toString(), QStringLiteral("xx"));
}

void TestDialogLanguage::rejectStoresNothing()
{
    DialogLanguage dialog(makeFolder({"ThaldenDataLogger_de.qm"}));
    TestSupport::whenShown<DialogLanguage>(
        [](DialogLanguage *shown) { QTest::keyClick(shown, Qt::Key_Escape); });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY(QSettings().allKeys().isEmpty());
}

void TestDialogLanguage::acceptOnEmptyListStoresEmptyStrings()
{
    DialogLanguage dialog(folder->filePath("missing"));
    QCOMPARE(dialog.languageCount(), 0);
    QVERIFY(dialog.selectedFilePath().isEmpty());
    dialog.accept();

    QSettings settings;
    QCOMPARE(settings.allKeys().size(), 2);
    QCOMPARE(settings.value("KvGui/DialogLanguage/FilePath").toString(), QString());
    QCOMPARE(settings.value("KvGui/DialogLanguage/Iso639Code").toString(), QString());
}

void TestDialogLanguage::preselectionWherever_data()
{
    QTest::addColumn<QString>("workingFolder"); // in the temporary folder
    QTest::addColumn<QString>("listedFolder");  // %1: the temporary folder
    QTest::addColumn<QString>("stored");        // %1: the temporary folder
    QTest::addColumn<bool>("cLocale");          // the system's, else German
    QTest::addColumn<QString>("expectedCode");  // none: no entry preselected

    const auto row = [](const char *name, const char *workingFolder, const char *listedFolder,
                        const char *stored, bool cLocale, const char *expectedCode) {
        QTest::newRow(name) << workingFolder << listedFolder << stored << cLocale << expectedCode;
    };
    row("stored relative, listed absolute", "", "%1/Translations", "Translations/ThaldenDataLogger_en.qm",
        false, "en");
    row("stored relative in another folder, listed absolute", "elsewhere", "%1/Translations",
        "Translations/ThaldenDataLogger_en.qm", false, "en");
    row("stored absolute, listed relative", "", "Translations", "%1/Translations/ThaldenDataLogger_en.qm",
        false, "en");
    row("stored name differs in case", "", "%1/Translations", "%1/Translations/ThaldenDataLogger_EN.qm", true,
        "");
    row("C locale, nothing stored: English", "", "Translations", "", true, "en");
}

// The stored choice is found wherever the program runs from; with nothing
// stored, the C locale means English.
void TestDialogLanguage::preselectionWherever()
{
    QFETCH(QString, workingFolder);
    QFETCH(QString, listedFolder);
    QFETCH(QString, stored);
    QFETCH(bool, cLocale);
    QFETCH(QString, expectedCode);

    makeFolder({"Translations/", "Translations/ThaldenDataLogger_de.qm",
                "Translations/ThaldenDataLogger_en.qm", "elsewhere/"});
    const QString previousFolder = QDir::currentPath();
    const auto back = qScopeGuard([&previousFolder] { QDir::setCurrent(previousFolder); });
    QVERIFY(QDir::setCurrent(folder->filePath(workingFolder)));

    const LanguagePreselection preselection(stored.arg(folder->path()),
                                            cLocale ? QLocale::c() : QLocale::system());
    QStringList preselected;
    for (const QString &code : {QStringLiteral("de"), QStringLiteral("en")}) {
        if (preselection.matches(listedFolder.arg(folder->path()) + "/ThaldenDataLogger_" + code + ".qm",
                                 QLocale(code).language()))
            preselected << code;
    }
    QCOMPARE(preselected.join(QLatin1Char(' ')), expectedCode);
}

DATALOGGER_TEST_MAIN(TestDialogLanguage)
#include "tst_dialoglanguage.moc"
