// A window with a text field to type into, for the key sender's tests and benchmark:
//   vexa-key-target FILE TITLE
// FILE always holds what arrived: the lines ended with Return, each followed by "\n", then what the field
// holds now. It is replaced whole at every change, so a reader never sees half of one.
#include <QApplication>
#include <QLineEdit>
#include <QSaveFile>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        qCritical("usage: vexa-key-target FILE TITLE");
        return 2;
    }
    const QString fileName = arguments[1];
    QLineEdit field;
    field.setWindowTitle(arguments[2]);
    QString entered;
    const auto write = [&] {
        QSaveFile file(fileName);
        if (!file.open(QIODevice::WriteOnly) || file.write((entered + field.text()).toUtf8()) < 0 ||
            !file.commit())
            qFatal("cannot write %s", qPrintable(fileName));
    };
    QObject::connect(&field, &QLineEdit::textChanged, write);
    QObject::connect(&field, &QLineEdit::returnPressed, [&] {
        entered += field.text() + QLatin1Char('\n');
        field.clear();
        write();
    });
    write();
    field.resize(480, 40);
    field.show();
    return QApplication::exec();
}
