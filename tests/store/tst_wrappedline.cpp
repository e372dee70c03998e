// Lines of the PDF report too wide for the page, as the lines that show them whole.
#include "report/WrappedLine.h"

#include <QTest>

using namespace vexa;

class TestWrappedLine : public QObject {
    Q_OBJECT
private slots:
    void pieces_data();
    void pieces();
};

void TestWrappedLine::pieces_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("fits") << "rows 1, 2" << 20 << QStringList{"rows 1, 2"};
    QTest::newRow("exactly as wide") << "abcd efgh" << 9 << QStringList{"abcd efgh"};
    QTest::newRow("broken after the last word that fits")
        << "(c) FAIL: rows 1, 2, 3" << 16 << QStringList{"(c) FAIL: rows", "    1, 2, 3"};
    QTest::newRow("an indented line goes on deeper, at most half the width in")
        << "  Mean 109, target 100" << 12 << QStringList{"  Mean 109,", "      target", "      100"};
    QTest::newRow("a word wider than a line is cut where the line ends")
        << "see /very/long/path/name" << 10
        << QStringList{"see", "    /very/", "    long/p", "    ath/na", "    me"};
    QTest::newRow("the blanks at a break are dropped")
        << "value:      12345" << 10 << QStringList{"value:", "    12345"};
}

void TestWrappedLine::pieces() {
    QFETCH(QString, line);
    QFETCH(int, columns);
    QTEST(wrappedLine(line, columns), "expected");
}

QTEST_GUILESS_MAIN(TestWrappedLine)
#include "tst_wrappedline.moc"
