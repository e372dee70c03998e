// The program's message boxes never stack: what arrives while one is open waits its turn or is declined.
#include "widgets/DialogPrompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace vexa;

namespace {

QList<QMessageBox*> openBoxes() {
    QList<QMessageBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            boxes.append(box);
    return boxes;
}

// Plays the user: runs `meanwhile` at the first box, then closes each box it finds, noting its text and
// how many boxes were open at once.
struct User {
    QStringList read;
    int mostOpen = 0;
    std::function<void()> meanwhile;
    QTimer clock;

    User() {
        clock.setInterval(5);
        QObject::connect(&clock, &QTimer::timeout, &clock, [this] {
            const QList<QMessageBox*> boxes = openBoxes();
            mostOpen = std::max(mostOpen, int(boxes.size()));
            if (boxes.isEmpty())
                return;
            if (meanwhile) {
                std::exchange(meanwhile, nullptr)();
                return;
            }
            read.append(boxes.first()->text());
            boxes.first()->accept();
        });
        clock.start();
    }
};

} // namespace

class TestDialogPrompt : public QObject {
    Q_OBJECT
private slots:
    void messagesWhileABoxIsOpenWait_data();
    void messagesWhileABoxIsOpenWait();
    void questionWhileABoxIsOpenIsDeclined();
};

void TestDialogPrompt::messagesWhileABoxIsOpenWait_data() {
    QTest::addColumn<QStringList>("meanwhile");
    QTest::addColumn<QStringList>("read");

    QTest::newRow("one after the other") << QStringList{"b", "c"} << QStringList{"a", "b", "c"};
    QTest::newRow("a repeat of the open one is dropped") << QStringList{"a", "a"} << QStringList{"a"};
    QTest::newRow("a repeat of a waiting one is dropped")
        << QStringList{"b", "b", "b", "c"} << QStringList{"a", "b", "c"};
}

void TestDialogPrompt::messagesWhileABoxIsOpenWait() {
    QFETCH(QStringList, meanwhile);
    DialogPrompt prompt;
    User user;
    user.meanwhile = [&] {
        for (const QString& text : meanwhile)
            prompt.message(text, PromptIcon::Warning);
    };
    prompt.message(QStringLiteral("a"), PromptIcon::Warning);
    QTEST(user.read, "read");
    QCOMPARE(user.mostOpen, 1);
    QVERIFY(!prompt.isOpen());
}

void TestDialogPrompt::questionWhileABoxIsOpenIsDeclined() {
    DialogPrompt prompt;
    User user;
    bool answer = true;
    user.meanwhile = [&] {
        answer = prompt.question(QStringLiteral("Delete?"), QStringLiteral("Yes"), QStringLiteral("No"),
                                 PromptIcon::Question);
    };
    prompt.message(QStringLiteral("a"), PromptIcon::None);
    QVERIFY(!answer);
    QCOMPARE(user.read, QStringList{QStringLiteral("a")});
    QCOMPARE(user.mostOpen, 1);
}

QTEST_MAIN(TestDialogPrompt)
#include "tst_dialogprompt.moc"
