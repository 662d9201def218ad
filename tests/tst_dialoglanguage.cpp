#include "dialoglanguage.h"
#include "testsupport.h"

#include <QComboBox>
#include <QProcess>
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
        << QStringList{"ThaldenDataLogger_de.qm", "ThaldenDataLogger_en.qm", "qt_de.qm"} << QString()
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
        QVERIFY(list->itemIcon(i).isNull());
    }
    QCOMPARE(list->currentIndex(), expectedCurrent);
    QCOMPARE(dialog.selectedFilePath(), dir + QLatin1Char('/') + expectedNames.at(expectedCurrent));
}

void TestDialogLanguage::acceptStoresChoice()
{
    const QString dir =
        makeFolder({"ThaldenDataLogger_de.qm", "ThaldenDataLogger_en.qm", "ThaldenDataLogger_xx.qm"});
    DialogLanguage dialog(dir);
    QCOMPARE(combo(dialog)->itemText(0), QStringLiteral("German"));
    QCOMPARE(combo(dialog)->itemText(1), QStringLiteral("English"));

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
    QVERIFY(settings.contains("KvGui/DialogLanguage/FilePath"));
    QVERIFY(settings.contains("KvGui/DialogLanguage/Iso639Code"));
    QCOMPARE(settings.value("KvGui/DialogLanguage/FilePath").toString(), QString());
    QCOMPARE(settings.value("KvGui/DialogLanguage/Iso639Code").toString(), QString());
}

void TestDialogLanguage::preselectionWherever_data()
{
    QTest::addColumn<QString>("workingFolder"); // in the temporary folder
    QTest::addColumn<QString>("listedFolder");  // %1: the temporary folder
    QTest::addColumn<QString>("stored");        // %1: the temporary folder
    QTest::addColumn<bool>("cLocale");          // run again under LC_ALL=C
    QTest::addColumn<QString>("expectedCode");

    QTest::newRow("stored relative, listed absolute")
        << ""
        << "%1/Translations"
        << "Translations/ThaldenDataLogger_en.qm" << false << "en";
    QTest::newRow("stored relative in another folder, listed absolute")
        << "elsewhere"
        << "%1/Translations"
        << "Translations/ThaldenDataLogger_en.qm" << false << "en";
    QTest::newRow("stored absolute, listed relative")
        << ""
        << "Translations"
        << "%1/Translations/ThaldenDataLogger_en.qm" << false << "en";
    QTest::newRow("stored name differs in case: first entry")
        << ""
        << "%1/Translations"
        << "%1/Translations/ThaldenDataLogger_EN.qm" << true << "de";
    QTest::newRow("C locale, nothing stored: English") << ""
                                                       << "Translations"
                                                       << "" << true << "en";
}

void TestDialogLanguage::preselectionWherever()
{
    QFETCH(QString, workingFolder);
    QFETCH(QString, listedFolder);
    QFETCH(QString, stored);
    QFETCH(bool, cLocale);
    QFETCH(QString, expectedCode);

    if (cLocale && QLocale::system().language() != QLocale::C) {
        const QByteArray previous = qgetenv("LC_ALL");
        qputenv("LC_ALL", "C");
        const int failures =
            QProcess::execute(QCoreApplication::applicationFilePath(),
                              {QStringLiteral("preselectionWherever:") + QTest::currentDataTag()});
        qputenv("LC_ALL", previous);
        QCOMPARE(failures, 0);
        return;
    }
    makeFolder({"Translations/", "Translations/ThaldenDataLogger_de.qm",
                "Translations/ThaldenDataLogger_en.qm", "elsewhere/"});
    const QString previousFolder = QDir::currentPath();
    const auto back = qScopeGuard([&previousFolder] { QDir::setCurrent(previousFolder); });
    QVERIFY(QDir::setCurrent(folder->filePath(workingFolder)));
    if (!stored.isEmpty())
        TestSupport::storeLanguage(stored.arg(folder->path()), "en");

    // The entries stay as listed; only the choice of the current one changes.
    const QString listed = listedFolder.arg(folder->path());
    DialogLanguage dialog(listed);
    QCOMPARE(dialog.selectedFilePath(), listed + "/ThaldenDataLogger_" + expectedCode + ".qm");
}

DATALOGGER_TEST_MAIN(TestDialogLanguage)
#include "tst_dialoglanguage.moc"
