#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <chrono>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace vexa {

// Holds a lock file in the settings folder for as long as the program runs; a later start finds it taken,
// asks the first to bring its window to the front and ends without touching anything. The lock lies
// beside the log and the settings it protects: a lock in a per-session folder would let a start from
// another session (su, ssh, another desktop) in.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& settingsFolder, QObject* parent = nullptr);
    ~SingleInstance() override;
    bool isFirst() const { return first_; }

    // A later start's knock at the first: true when the request was handed over before `deadline`.
    bool askFirstToFront(std::chrono::milliseconds deadline = std::chrono::seconds(2)) const;

    // The local socket the first start of `settingsFolder` listens on; starts with other settings folders
    // never meet there.
    static QString serverName(const QString& settingsFolder);

signals:
    // A later start of the same settings folder asked for the window.
    void frontRequested();

private:
    void listen();
    void readRequest(QLocalSocket& socket);

    std::unique_ptr<QLockFile> lock_;
    QString serverName_;
    // Closed before the lock is given up: closing removes the socket's name, which by then may belong to
    // the next first start.
    std::unique_ptr<QLocalServer> server_;
    bool first_ = false;
};

} // namespace vexa
