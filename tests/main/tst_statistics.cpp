#include <QTest>

class TestStatistics : public QObject {
    Q_OBJECT
};

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
