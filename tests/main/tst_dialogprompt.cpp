// The program's message boxes never stack: what arrives while one is open waits its turn or is declined.
#include "widgets/DialogPrompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace vexa;

Q_DECLARE_METATYPE(vexa::PromptDefault)

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
    void keysGiveTheDefaultAnswer_data();
    void keysGiveTheDefaultAnswer();
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
                                 PromptIcon::Question, PromptDefault::Yes);
    };
    prompt.message(QStringLiteral("a"), PromptIcon::None);
    QVERIFY(!answer);
    QCOMPARE(user.read, QStringList{QStringLiteral("a")});
    QCOMPARE(user.mostOpen, 1);
}

void TestDialogPrompt::keysGiveTheDefaultAnswer_data() {
    QTest::addColumn<PromptDefault>("defaultButton");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("answer");

    QTest::newRow("Enter on yes") << PromptDefault::Yes << int(Qt::Key_Return) << true;
    QTest::newRow("Enter on no") << PromptDefault::No << int(Qt::Key_Return) << false;
    QTest::newRow("Escape with yes the default") << PromptDefault::Yes << int(Qt::Key_Escape) << false;
    QTest::newRow("Escape with no the default") << PromptDefault::No << int(Qt::Key_Escape) << false;
}

// A question whose yes destroys something must not be answered yes by a hasty Enter.
void TestDialogPrompt::keysGiveTheDefaultAnswer() {
    QFETCH(PromptDefault, defaultButton);
    QFETCH(int, key);
    DialogPrompt prompt;
    QTimer user;
    user.setInterval(5);
    connect(&user, &QTimer::timeout, &user, [key] {
        const QList<QMessageBox*> boxes = openBoxes();
        if (!boxes.isEmpty() && boxes.first()->isActiveWindow())
            QTest::keyClick(boxes.first(), Qt::Key(key));
    });
    user.start();
    QTEST(prompt.question(QStringLiteral("Delete?"), QStringLiteral("Ja"), QStringLiteral("Nein "),
                          PromptIcon::Question, defaultButton),
          "answer");
}

QTEST_MAIN(TestDialogPrompt)
#include "tst_dialogprompt.moc"
