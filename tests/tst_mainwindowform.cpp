#include "mainwindow.h"
#include "ptypair.h"
#include "testsupport.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

class TestMainWindowForm : public QObject
{
    Q_OBJECT

private slots:
    void focusOrderAndReadOnlyOutput();
    void extraSpaceGoesToGapsAndOutput();
};

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

    // So does the busy indicator of a download waiting for the tester.
    PtyPair pty;
    qputenv("DATALOGGER_EXTRA_PORTS", QFile::encodeName(pty.slavePath));
    window.ui.actionRefreshPorts->trigger();
    window.ui.comPorts->setCurrentIndex(window.ui.comPorts->findData(pty.slavePath));
    window.ui.downloadBtn->click();
    QTRY_VERIFY(window.progressBar->isVisible());
    const QRect busy = window.progressBar->geometry();
    QVERIFY2(busy.width() <= 100 && busy.height() <= 15,
             qPrintable(QStringLiteral("%1 x %2").arg(busy.width()).arg(busy.height())));
    window.ui.cancelBtn->click();
}

DATALOGGER_TEST_MAIN(TestMainWindowForm)
#include "tst_mainwindowform.moc"
