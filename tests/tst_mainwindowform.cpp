#include "mainwindow.h"
#include "testsupport.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QStatusBar>
#include <QTranslator>

// Records every lookup, so the order in which the window sets its texts shows.
class RecordingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        lookups << QString::fromUtf8(context) + QLatin1Char('|') + QString::fromUtf8(sourceText);
        return {};
    }
    bool isEmpty() const override
    {
        return false;
    }

    mutable QStringList lookups;
};

class TestMainWindowForm : public QObject
{
    Q_OBJECT

private slots:
    void widgetsAndParents_data();
    void widgetsAndParents();
    void layouts();
    void menus();
    void textsInOrder();
    void germanTexts();
    void focusOrderAndReadOnlyOutput();
    void extraSpaceGoesToGapsAndOutput();
    void slotsInIndexOrder();
};

void TestMainWindowForm::widgetsAndParents_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");

    const char *rows[][3] = {
        {"actionExit", "QAction", "MainWindow"},
        {"actionRefreshPorts", "QAction", "MainWindow"},
        {"actionAbout", "QAction", "MainWindow"},
        {"actionChangeLanguage", "QAction", "MainWindow"},
        {"actionHelp", "QAction", "MainWindow"},
        {"actionConvertCsvData", "QAction", "MainWindow"},
        {"centralWidget", "QWidget", "MainWindow"},
        {"groupBox", "QGroupBox", "centralWidget"},
        {"comPorts", "QComboBox", "groupBox"},
        {"cancelBtn", "QPushButton", "groupBox"},
        {"downloadBtn", "QPushButton", "groupBox"},
        {"outputGroupBox", "QGroupBox", "centralWidget"},
        {"outputTextEdit", "QPlainTextEdit", "outputGroupBox"},
        {"openBtn", "QPushButton", "outputGroupBox"},
        {"saveBtn", "QPushButton", "outputGroupBox"},
        {"menuBar", "QMenuBar", "MainWindow"},
        {"menuFile", "QMenu", "menuBar"},
        {"menuTools", "QMenu", "menuBar"},
        {"menuCountrySettings", "QMenu", "menuTools"},
        {"menuHelp", "QMenu", "menuBar"},
        {"statusBar", "QStatusBar", "MainWindow"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[1] << row[2];
}

void TestMainWindowForm::widgetsAndParents()
{
    QFETCH(QString, className);
    QFETCH(QString, parentName);

    MainWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("MainWindow"));
    QObject *object = window.findChild<QObject *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(object);
    QCOMPARE(QString::fromLatin1(object->metaObject()->className()), className);
    QVERIFY(object->parent());
    QCOMPARE(object->parent()->objectName(), parentName);

    if (auto *widget = qobject_cast<QWidget *>(object)) {
        QVERIFY(widget->isEnabled());
        if (qobject_cast<QPushButton *>(widget) || qobject_cast<QComboBox *>(widget))
            QCOMPARE(widget->minimumSize(), QSize(100, 0));
    }
    if (auto *groupBox = qobject_cast<QGroupBox *>(object))
        QVERIFY(groupBox->isFlat());
    if (auto *action = qobject_cast<QAction *>(object)) {
        QCOMPARE(action->isCheckable(), action->objectName() == QLatin1String("actionConvertCsvData"));
        QVERIFY(!action->isChecked());
        QVERIFY(action->shortcut().isEmpty());
        QVERIFY(action->statusTip().isEmpty());
    }
}

static void compareLayout(QLayout *layout, const char *name, int margin)
{
    QVERIFY(layout);
    QCOMPARE(layout->objectName(), QString::fromLatin1(name));
    QCOMPARE(layout->spacing(), 6);
    QCOMPARE(layout->contentsMargins(), QMargins(margin, margin, margin, margin));
}

// The expanding gap at index of a row: 40 x 20, expanding sideways.
static void compareGap(QLayoutItem *item)
{
    QSpacerItem *spacer = item->spacerItem();
    QVERIFY(spacer);
    QCOMPARE(spacer->sizeHint(), QSize(40, 20));
    QCOMPARE(spacer->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(spacer->sizePolicy().verticalPolicy(), QSizePolicy::Minimum);
}

void TestMainWindowForm::layouts()
{
    MainWindow window;
    QCOMPARE(window.size(), QSize(451, 367));
    auto *central = window.findChild<QWidget *>(QStringLiteral("centralWidget"));
    QCOMPARE(window.centralWidget(), central);
    QCOMPARE(central->windowType(), Qt::Widget);

    auto *groupBox = window.findChild<QGroupBox *>(QStringLiteral("groupBox"));
    auto *outputGroupBox = window.findChild<QGroupBox *>(QStringLiteral("outputGroupBox"));

    QLayout *vertical = central->layout();
    compareLayout(vertical, "verticalLayout", 11);
    QCOMPARE(vertical->count(), 2);
    QCOMPARE(vertical->itemAt(0)->widget(), groupBox);
    QCOMPARE(vertical->itemAt(1)->widget(), outputGroupBox);

    QLayout *top = groupBox->layout();
    compareLayout(top, "horizontalLayout", 11);
    QCOMPARE(top->count(), 4);
    QCOMPARE(top->itemAt(0)->widget()->objectName(), QStringLiteral("comPorts"));
    compareGap(top->itemAt(1));
    QCOMPARE(top->itemAt(2)->widget()->objectName(), QStringLiteral("cancelBtn"));
    QCOMPARE(top->itemAt(3)->widget()->objectName(), QStringLiteral("downloadBtn"));

    QLayout *output = outputGroupBox->layout();
    compareLayout(output, "verticalLayout_3", 11);
    QCOMPARE(output->count(), 2);
    QCOMPARE(output->itemAt(0)->widget()->objectName(), QStringLiteral("outputTextEdit"));

    QLayout *bottom = output->itemAt(1)->layout();
    compareLayout(bottom, "horizontalLayout_2", 0);
    QCOMPARE(bottom->count(), 3);
    compareGap(bottom->itemAt(0));
    QCOMPARE(bottom->itemAt(1)->widget()->objectName(), QStringLiteral("openBtn"));
    QCOMPARE(bottom->itemAt(2)->widget()->objectName(), QStringLiteral("saveBtn"));

    auto *plainText = window.findChild<QPlainTextEdit *>(QStringLiteral("outputTextEdit"));
    QVERIFY(plainText->isReadOnly());
    QVERIFY(plainText->toPlainText().isEmpty());
}

static QStringList entryNames(const QWidget *menu)
{
    QStringList names;
    for (QAction *action : menu->actions())
        names << (action->menu() ? action->menu()->objectName() : action->objectName());
    return names;
}

void TestMainWindowForm::menus()
{
    MainWindow window;
    QMenuBar *menuBar = window.menuBar();
    QCOMPARE(menuBar->objectName(), QStringLiteral("menuBar"));
    QCOMPARE(entryNames(menuBar), QStringList({"menuFile", "menuTools", "menuHelp"}));
    QCOMPARE(entryNames(window.findChild<QMenu *>("menuFile")), QStringList({"actionExit"}));
    QCOMPARE(entryNames(window.findChild<QMenu *>("menuTools")),
             QStringList({"actionRefreshPorts", "actionChangeLanguage", "menuCountrySettings"}));
    QCOMPARE(entryNames(window.findChild<QMenu *>("menuCountrySettings")),
             QStringList({"actionConvertCsvData"}));
    QCOMPARE(entryNames(window.findChild<QMenu *>("menuHelp")), QStringList({"actionHelp", "actionAbout"}));
    QCOMPARE(window.statusBar()->objectName(), QStringLiteral("statusBar"));
}

void TestMainWindowForm::textsInOrder()
{
    RecordingTranslator recorder;
    QCoreApplication::installTranslator(&recorder);
    MainWindow window;
    QCoreApplication::removeTranslator(&recorder);

    const QStringList expected{
        "Korvane DataLogger",
        "Exit",
        "Quits the application",
        "Refresh Ports",
        "Refreshes the list of COM ports",
        "About",
        "Shows version information about Pelmar DataLogger",
        "Change Language...",
        "Change the language used in this application",
        "Help",
        "Shows documentation",
        "Convert CSV Data",
        "Device Connection",
        "Cancel",
        "Download",
        "Downloaded Output",
        "Open",
        "Save",
        "File",
        "Tools",
        "Country Settings",
        "Help",
    };
    // Qt itself looks up a few texts of its own when a translator comes or goes.
    QStringList formLookups;
    for (const QString &lookup : std::as_const(recorder.lookups)) {
        if (lookup.startsWith(QLatin1String("MainWindow|")))
            formLookups << lookup.mid(int(qstrlen("MainWindow|")));
    }
    // The form's texts come first; the window's own messages follow.
    QCOMPARE(formLookups.mid(0, expected.size()), expected);

    // Without a translation every text is its source text.
    QCOMPARE(window.windowTitle(), QStringLiteral("Korvane DataLogger"));
    QCOMPARE(window.findChild<QAction *>("actionChangeLanguage")->text(),
             QStringLiteral("Change Language..."));
    QCOMPARE(window.findChild<QAction *>("actionAbout")->toolTip(),
             QStringLiteral("Shows version information about Pelmar DataLogger"));
    QVERIFY(window.findChild<QAction *>("actionConvertCsvData")->toolTip() ==
            QStringLiteral("Convert CSV Data"));
}

void TestMainWindowForm::germanTexts()
{
    QTranslator german;
    QVERIFY(german.load(TestSupport::buildTranslationsDir() + QStringLiteral("/ThaldenDataLogger_de.qm")));
    QCoreApplication::installTranslator(&german);
    MainWindow window;
    QCoreApplication::removeTranslator(&german);

    QCOMPARE(window.windowTitle(), QStringLiteral("Korvane DataLogger"));
    QCOMPARE(window.findChild<QMenu *>("menuFile")->title(), QStringLiteral("Datei"));
    QCOMPARE(window.findChild<QMenu *>("menuTools")->title(), QStringLiteral("Extras"));
    QCOMPARE(window.findChild<QMenu *>("menuHelp")->title(), QStringLiteral("Hilfe"));
    QCOMPARE(window.findChild<QAction *>("actionExit")->text(), QStringLiteral("Beenden"));
    QCOMPARE(window.findChild<QPushButton *>("cancelBtn")->text(), QStringLiteral("Abbrechen"));

    // The texts are set once: removing the translation leaves the open window as it is.
    QCOMPARE(window.findChild<QMenu *>("menuFile")->title(), QStringLiteral("Datei"));
}

// The window hides some buttons until they apply; the form itself shows them all.
static void showAllButtons(MainWindow &window)
{
    for (QPushButton *button : window.findChildren<QPushButton *>())
        button->show();
}

void TestMainWindowForm::focusOrderAndReadOnlyOutput()
{
    MainWindow window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    showAllButtons(window);
    auto *comPorts = window.findChild<QComboBox *>("comPorts");
    comPorts->setFocus();
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, QStringList({"comPorts", "cancelBtn", "downloadBtn", "outputTextEdit", "openBtn",
                                 "saveBtn", "comPorts"}));

    // A hidden button is skipped.
    window.findChild<QPushButton *>("cancelBtn")->hide();
    comPorts->setFocus();
    QTest::keyClick(comPorts, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("downloadBtn"));

    // Typing does not change the read-only output.
    auto *output = window.findChild<QPlainTextEdit *>("outputTextEdit");
    output->setFocus();
    QTest::keyClicks(output, QStringLiteral("abc"));
    QVERIFY(output->toPlainText().isEmpty());
}

void TestMainWindowForm::extraSpaceGoesToGapsAndOutput()
{
    MainWindow window;
    showAllButtons(window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *groupBox = window.findChild<QGroupBox *>("groupBox");
    auto *output = window.findChild<QPlainTextEdit *>("outputTextEdit");
    const int topHeight = groupBox->height();
    const int outputHeight = output->height();

    window.resize(900, 700);
    QTRY_COMPARE(window.size(), QSize(900, 700));
    QCOMPARE(groupBox->height(), topHeight);
    QVERIFY(output->height() > outputHeight + 250);

    // The buttons keep their width and sit at the right ends of their rows.
    for (const char *name : {"downloadBtn", "saveBtn"}) {
        auto *button = window.findChild<QPushButton *>(name);
        QVERIFY(button->width() >= 100);
        QVERIFY(button->width() < 200);
        QVERIFY2(button->parentWidget()->width() - button->geometry().right() < 30, name);
    }
    QVERIFY(window.findChild<QComboBox *>("comPorts")->width() < 300);
}

void TestMainWindowForm::slotsInIndexOrder()
{
    const QMetaObject *meta = &MainWindow::staticMetaObject;
    QStringList signatures;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Private);
        signatures << QString::fromLatin1(method.methodSignature());
    }
    QCOMPARE(signatures, QStringList({"changeLanguage()", "refreshPorts()", "download()", "cancelDownload()",
                                      "readyRead()", "readTimeOut()", "openFile()", "saveFile()",
                                      "showAbout()", "showHelp()", "convertDataToggled(bool)"}));
    QCOMPARE(meta->propertyCount(), meta->propertyOffset());
    QCOMPARE(meta->enumeratorCount(), meta->enumeratorOffset());
}

DATALOGGER_TEST_MAIN(TestMainWindowForm)
#include "tst_mainwindowform.moc"
