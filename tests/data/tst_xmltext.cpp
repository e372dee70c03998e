// Gauge texts in the XML of the exports: whatever a gauge sends, the part stays well-formed.
#include "data/XmlText.h"

#include <QTest>
#include <QXmlStreamReader>

using namespace vexa;

namespace {

struct ReadBack {
    QString text;
    QString attribute;
    QString error; // empty: well-formed
};

// The element text and the attribute of a document that holds `escaped` in both.
ReadBack readBack(const QString& escaped) {
    QXmlStreamReader reader(QStringLiteral("<t a=\"%1\">%1</t>").arg(escaped));
    ReadBack read;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement())
            read.attribute = reader.attributes().value(QStringLiteral("a")).toString();
        if (reader.isCharacters())
            read.text += reader.text();
    }
    if (reader.hasError())
        read.error = reader.errorString();
    return read;
}

} // namespace

class TestXmlText : public QObject {
    Q_OBJECT
private slots:
    void sanitised_data();
    void sanitised();
    void everyCharacterGivesWellFormedXml();
};

void TestXmlText::sanitised_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("characters");
    QTest::addColumn<QString>("escaped");

    const QString r(QChar(0xFFFD));
    QTest::newRow("plain") << "Bridge pier 4"
                           << "Bridge pier 4"
                           << "Bridge pier 4";
    QTest::newRow("markup") << "a<b & \"c\" 'd'>"
                            << "a<b & \"c\" 'd'>"
                            << "a&lt;b &amp; &quot;c&quot; &#39;d&#39;&gt;";
    QTest::newRow("byte 01 in a memory name") << QStringLiteral("m\x01"
                                                                "01")
                                              << "m" + r + "01"
                                              << "m" + r + "01";
    QTest::newRow("tab, line feed, carriage return stay") << "a\tb\nc\rd"
                                                          << "a\tb\nc\rd"
                                                          << "a\tb\nc\rd";
    QTest::newRow("escape and delete") << QStringLiteral("\x1B[2J\x7F") << r + "[2J\x7F" << r + "[2J\x7F";
    QTest::newRow("not characters") << QString(QChar(0xFFFE)) + QChar(0xFFFF) << r + r << r + r;
    QTest::newRow("a pair stays") << QString::fromUcs4(U"µ\U0001F600") << QString::fromUcs4(U"µ\U0001F600")
                                  << QString::fromUcs4(U"µ\U0001F600");
    QTest::newRow("halves of pairs") << QString(QChar(0xD83D)) + "x" + QChar(0xDE00) << r + "x" + r
                                     << r + "x" + r;
}

void TestXmlText::sanitised() {
    QFETCH(QString, text);
    QTEST(xmlCharacters(text), "characters");
    QTEST(xmlEscaped(text), "escaped");
}

// Each of the 65536 code units alone, in an element and in an attribute, reads back as the sanitised text.
void TestXmlText::everyCharacterGivesWellFormedXml() {
    for (char32_t u = 0; u <= 0xFFFF; ++u) {
        const QString text(QChar(static_cast<char16_t>(u)));
        const ReadBack read = readBack(xmlEscaped(text));
        QVERIFY2(read.error.isEmpty(),
                 qPrintable(QStringLiteral("U+%1: %2").arg(u, 4, 16, QChar(u'0')).arg(read.error)));
        // A reader takes a carriage return for a line end, and every blank in an attribute for a space.
        QString expected = xmlCharacters(text);
        QCOMPARE(read.text, QString(expected).replace(u'\r', u'\n'));
        QCOMPARE(read.attribute, expected.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' '));
    }
}

QTEST_GUILESS_MAIN(TestXmlText)
#include "tst_xmltext.moc"
