#include "files/TextEncoding.h"
#include "files/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vexa;

namespace {

void writeRaw(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Writes beyond `bytes` fail with EFBIG for this process while it lives; root is no exception.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void decodesUtf8OrWindows1252_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");

        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("ASCII") << QByteArray("12,5;80;") << QStringLiteral("12,5;80;");
        QTest::newRow("UTF-8") << QByteArray("Ger\xC3\xA4t \xE2\x82\xAC") << QStringLiteral("Gerät €");
        QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBFx") << QStringLiteral("x");
        QTest::newRow("1252 umlaut") << QByteArray("Ger\xE4t") << QStringLiteral("Gerät");
        QTest::newRow("1252 euro") << QByteArray("\x80 5") << QStringLiteral("€ 5");
        QTest::newRow("1252 quotes and dashes") << QByteArray("\x84x\x93 \x96") << QStringLiteral("„x“ –");
        QTest::newRow("1252 unassigned byte") << QByteArray("\x81") << QStringLiteral("\u0081");
        QTest::newRow("1252 upper half") << QByteArray("\xA0\xFF") << QStringLiteral("\u00A0ÿ");
        QTest::newRow("one bad byte turns the whole file")
            << QByteArray("\xC3\xA4 \xE4") << QStringLiteral("Ã¤ ä");
        QTest::newRow("cut UTF-8 sequence") << QByteArray("a\xC3") << QStringLiteral("aÃ");
    }

    void decodesUtf8OrWindows1252() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);

        QCOMPARE(decodeFileText(bytes), expected);
    }

    void splitsAtEveryKindOfLineEnd_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("no line end") << QStringLiteral("a") << QStringList{"a"};
        QTest::newRow("CR LF") << QStringLiteral("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("LF") << QStringLiteral("a\nb") << QStringList{"a", "b"};
        QTest::newRow("CR") << QStringLiteral("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("mixed") << QStringLiteral("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("empty lines kept") << QStringLiteral("a\r\n\r\nb") << QStringList{"a", "", "b"};
        QTest::newRow("LF CR is two line ends") << QStringLiteral("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("only a line end") << QStringLiteral("\r\n") << QStringList{""};
    }

    void splitsAtEveryKindOfLineEnd() {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);

        QCOMPARE(splitLines(text), expected);
    }

    void writesUtf8WithCrLf() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.ini"));
        QCOMPARE(writeTextFile(path, {QStringLiteral("Gerät"), QString(), QStringLiteral("x")}),
                 std::nullopt);

        const FileContent content = readFileBytes(path);
        QCOMPARE(content.error, std::nullopt);
        QCOMPARE(content.bytes, QByteArray("Ger\xC3\xA4t\r\n\r\nx\r\n"));
    }

    void writeReplacesTheWholeFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.ini"));
        writeRaw(path, "a much longer old content\r\n");
        QCOMPARE(writeTextFile(path, {QStringLiteral("new")}), std::nullopt);
        QCOMPARE(readFileBytes(path).bytes, QByteArray("new\r\n"));
    }

    void failedWriteKeepsTheOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.ini"));
        writeRaw(path, "old\r\n");

        std::optional<QString> error;
        {
            const FileSizeLimit limit(16);
            error = writeTextFile(path, {QString(100, u'x')});
        }
        QVERIFY(error.has_value());
        QCOMPARE(*error, QString::fromLocal8Bit(std::strerror(EFBIG)));
        QCOMPARE(readFileBytes(path).bytes, QByteArray("old\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.ini"});
    }

    // A FIFO stays a FIFO: its reader gets the bytes. A folder is refused and stays a folder.
    void specialFilesAreNotReplaced() {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("pipe"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const int reader = open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        QCOMPARE(writeFileBytes(fifo, "1,2\r\n"), std::nullopt);
        char received[16] = {};
        QCOMPARE(read(reader, received, sizeof received), ssize_t(5));
        close(reader);
        QCOMPARE(QByteArray(received), QByteArray("1,2\r\n"));
        QVERIFY(!QFileInfo(fifo).isFile());
        QVERIFY(QFileInfo(fifo).exists());

        const std::optional<QString> folderError = writeFileBytes(dir.path(), "x");
        QVERIFY(folderError.has_value());
        QVERIFY(QFileInfo(dir.path()).isDir());
    }

    void failuresAreDescribed() {
        QTemporaryDir dir;
        const QString regularFile = dir.filePath(QStringLiteral("file"));
        writeRaw(regularFile, "x");
        const QString underAFile = regularFile + QStringLiteral("/a.ini");

        const std::optional<QString> writeError = writeTextFile(underAFile, {QStringLiteral("x")});
        QVERIFY(writeError.has_value());
        QVERIFY(!writeError->isEmpty());

        const FileContent missing = readFileBytes(dir.filePath(QStringLiteral("missing.ini")));
        QVERIFY(missing.error.has_value());
        QVERIFY(!missing.error->isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
