#include "testsupport.h"
class T : public QObject { Q_OBJECT };
DATALOGGER_TEST_MAIN(T)
#include "tst_mainwindowform.moc"
