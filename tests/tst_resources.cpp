#include "mainwindow.h"
#include "testsupport.h"

#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QResource>
#include <QWindow>

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void bundleImages_data();
    void bundleImages();
    void unknownPathsYieldNothing();
    void mainWindowShowsProductIcon();
    void windowsIconAndManifest();
};

void TestResources::bundleImages_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("alpha");
    QTest::newRow(":/thalden-download.png") << QSize(32, 32) << true;
    QTest::newRow(":/thalden-save.png") << QSize(32, 32) << true;
    QTest::newRow(":/thalden-open.png") << QSize(32, 32) << true;
    QTest::newRow(":/thalden-device.png") << QSize(32, 32) << false;
    QTest::newRow(":/thalden-logo.png") << QSize(300, 100) << false;
}

void TestResources::bundleImages()
{
    QFETCH(QSize, size);
    QFETCH(bool, alpha);
    const QString path = QString::fromLatin1(QTest::currentDataTag());

    const QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), size);
    QCOMPARE(image.hasAlphaChannel(), alpha);

    // Available from static initialisation on, stored as the file itself.
    QResource resource(path);
    QVERIFY(resource.isValid());
    QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
    QVERIFY(resource.uncompressedData().startsWith("\x89PNG"));
}

void TestResources::unknownPathsYieldNothing()
{
    for (const char *path : {":/Thalden.png", ":/DataLogger/DataLogger.png", ":/nothing.png"}) {
        QVERIFY(QImage(QString::fromLatin1(path)).isNull());
        QVERIFY(QIcon(QString::fromLatin1(path)).pixmap(32).isNull());
    }
}

void TestResources::mainWindowShowsProductIcon()
{
    setApplicationWindowIcon();
    QVERIFY(QApplication::windowIcon().availableSizes().contains(QSize(64, 64)));

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage shown = window.windowHandle()->icon().pixmap(64).toImage();
    QCOMPARE(shown.size(), QSize(64, 64));
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
             QImage(":/appicon/thalden-datalogger.png").convertToFormat(QImage::Format_RGB32));
}

static QByteArray sourceFile(const char *path)
{
    QFile file(QStringLiteral(DATALOGGER_SOURCE_DIR "/") + QString::fromLatin1(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the Windows executable carries, read from the sources, since only a
// Windows build links them in: a readable icon and a manifest that runs the
// program as the user who starts it, never asking for administrator rights,
// and names no dependent assembly (a newer common-controls version would
// change how every control looks).
void TestResources::windowsIconAndManifest()
{
    QCOMPARE(QImage(QStringLiteral(DATALOGGER_SOURCE_DIR "/resources/windows/thalden-datalogger.ico")).size(),
             QSize(64, 64));
    const QByteArray manifest = sourceFile("resources/windows/thalden-datalogger.manifest");
    QVERIFY(manifest.contains("level=\"asInvoker\"") && !manifest.contains("dependentAssembly"));
    const QByteArray script = sourceFile("resources/windows/thalden-datalogger.rc");
    QVERIFY(script.contains("IDI_ICON1 ICON \"thalden-datalogger.ico\""));
    QVERIFY(script.contains("1 24 \"thalden-datalogger.manifest\""));
}

DATALOGGER_TEST_MAIN(TestResources)
#include "tst_resources.moc"
