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
    void structure();
    void textsInOrder();
    void focusOrderAndReadOnlyOutput();
    void extraSpaceGoesToGapsAndOutput();
    void slotsInIndexOrder();
};

// A layout's items by object name, "gap" for the 40 x 20 expanding spacers,
// and "layoutName(...)" for a nested layout; spacing and margins appended.
static QString describe(QLayout *layout)
{
    QStringList items;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (QSpacerItem *spacer = item->spacerItem()) {
            const bool gap = spacer->sizeHint() == QSize(40, 20) &&
                             spacer->sizePolicy().horizontalPolicy() == QSizePolicy::Expanding &&
                             spacer->sizePolicy().verticalPolicy() == QSizePolicy::Minimum;
            items << (gap ? "gap" : "spacer");
        } else {
            items << (item->widget() ? item->widget()->objectName() : describe(item->layout()));
        }
    }
    const QMargins m = layout->contentsMargins();
    return QStringLiteral("%1(%2 spacing %3 margins %4 %5 %6 %7)")
        .arg(layout->objectName(), items.join(' '))
        .arg(layout->spacing())
        .arg(m.left())
        .arg(m.top())
        .arg(m.right())
        .arg(m.bottom());
}

// A menu's or menu bar's entries by object name.
static QString entries(const QWidget *menu)
{
    QStringList names;
    for (QAction *action : menu->actions())
        names << (action->menu() ? action->menu()->objectName() : action->objectName());
    return names.join(' ');
}

void TestMainWindowForm::structure()
{
    MainWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(window.size(), QSize(451, 367));

    // Every named object: its class and its parent.
    const QStringList tree =
        QStringLiteral(
            "actionExit QAction MainWindow|actionRefreshPorts QAction MainWindow|actionAbout QAction "
            "MainWindow|"
            "actionChangeLanguage QAction MainWindow|actionHelp QAction MainWindow|"
            "actionConvertCsvData QAction MainWindow|centralWidget QWidget MainWindow|"
            "groupBox QGroupBox centralWidget|comPorts QComboBox groupBox|cancelBtn QPushButton groupBox|"
            "downloadBtn QPushButton groupBox|outputGroupBox QGroupBox centralWidget|"
            "outputTextEdit QPlainTextEdit outputGroupBox|openBtn QPushButton outputGroupBox|"
            "saveBtn QPushButton outputGroupBox|menuBar QMenuBar MainWindow|menuFile QMenu menuBar|"
            "menuTools QMenu menuBar|menuCountrySettings QMenu menuTools|menuHelp QMenu menuBar|"
            "statusBar QStatusBar MainWindow")
            .split('|');
    for (const QString &row : tree) {
        const QStringList fields = row.split(' ');
        QObject *object = window.findChild<QObject *>(fields.at(0));
        QVERIFY2(object, qPrintable(row));
        QCOMPARE(QStringLiteral("%1 %2 %3")
                     .arg(fields.at(0), object->metaObject()->className(), object->parent()->objectName()),
                 row);
    }

    QWidget *central = window.centralWidget();
    QCOMPARE(central->objectName(), QStringLiteral("centralWidget"));
    QCOMPARE(central->windowType(), Qt::Widget);
    QCOMPARE(describe(central->layout()),
             QStringLiteral("verticalLayout(groupBox outputGroupBox spacing 6 margins 11 11 11 11)"));
    QCOMPARE(
        describe(window.ui.groupBox->layout()),
        QStringLiteral("horizontalLayout(comPorts gap cancelBtn downloadBtn spacing 6 margins 11 11 11 11)"));
    QCOMPARE(describe(window.ui.outputGroupBox->layout()),
             QStringLiteral(
                 "verticalLayout_3(outputTextEdit horizontalLayout_2(gap openBtn saveBtn spacing 6 margins "
                 "0 0 0 0) spacing 6 margins 11 11 11 11)"));
    for (QWidget *widget :
         {static_cast<QWidget *>(window.ui.comPorts), static_cast<QWidget *>(window.ui.cancelBtn),
          static_cast<QWidget *>(window.ui.downloadBtn), static_cast<QWidget *>(window.ui.openBtn),
          static_cast<QWidget *>(window.ui.saveBtn)})
        QCOMPARE(widget->minimumSize(), QSize(100, 0));
    QVERIFY(window.ui.groupBox->isFlat());
    QVERIFY(window.ui.outputGroupBox->isFlat());
    QVERIFY(window.ui.outputTextEdit->isReadOnly());

    QCOMPARE(window.menuBar(), window.ui.menuBar);
    QCOMPARE(window.statusBar(), window.ui.statusBar);
    QCOMPARE(entries(window.ui.menuBar), QStringLiteral("menuFile menuTools menuHelp"));
    QCOMPARE(entries(window.ui.menuFile), QStringLiteral("actionExit"));
    QCOMPARE(entries(window.ui.menuTools),
             QStringLiteral("actionRefreshPorts actionChangeLanguage menuCountrySettings"));
    QCOMPARE(entries(window.ui.menuCountrySettings), QStringLiteral("actionConvertCsvData"));
    QCOMPARE(entries(window.ui.menuHelp), QStringLiteral("actionHelp actionAbout"));
    for (QAction *action : window.findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly)) {
        QCOMPARE(action->isCheckable(), action == window.ui.actionConvertCsvData);
        QVERIFY(action->statusTip().isEmpty());
    }
}

void TestMainWindowForm::textsInOrder()
{
    RecordingTranslator recorder;
    QCoreApplication::installTranslator(&recorder);
    MainWindow window;
    QCoreApplication::removeTranslator(&recorder);

    const QStringList expected =
        QStringLiteral(
            "Korvane DataLogger|Exit|Quits the application|Refresh Ports|Refreshes the list of COM ports|"
            "About|Shows version information about Pelmar DataLogger|Change Language...|"
            "Change the language used in this application|Help|Shows documentation|Convert CSV Data|"
            "Device Connection|Cancel|Download|Downloaded Output|Open|Save|File|Tools|Country Settings|Help")
            .split('|');
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
    QCOMPARE(window.ui.actionAbout->toolTip(),
             QStringLiteral("Shows version information about Pelmar DataLogger"));
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
    for (QPushButton *button : {window.ui.downloadBtn, window.ui.saveBtn}) {
        QVERIFY(button->width() >= 100 && button->width() < 200);
        QVERIFY(button->parentWidget()->width() - button->geometry().right() < 30);
    }
    QVERIFY(window.ui.comPorts->width() < 300);
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
