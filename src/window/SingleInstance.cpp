#include "window/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace vexa {

namespace {

constexpr char frontRequest[] = "front\n";

} // namespace

SingleInstance::SingleInstance(const QString& settingsFolder, QObject* parent)
    : QObject(parent)
    , lock_(std::make_unique<QLockFile>(QDir(settingsFolder).filePath(QStringLiteral("vexa-connect.lock"))))
    , serverName_(serverName(settingsFolder)) {
    // Only a lock whose process has gone counts as stale, however long the first instance runs.
    lock_->setStaleLockTime(0);
    first_ = lock_->tryLock(0);
    if (first_)
        listen();
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString& settingsFolder) {
    // A socket's path holds about a hundred bytes and a settings folder may be longer: its hash stands in.
    const QFileInfo folder(settingsFolder);
    const QString path =
        folder.canonicalFilePath().isEmpty() ? folder.absoluteFilePath() : folder.canonicalFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    return QDir::temp().filePath(QStringLiteral("vexa-connect-") + QString::fromLatin1(hash));
}

void SingleInstance::listen() {
    server_ = std::make_unique<QLocalServer>();
    // A run that crashed left its socket behind; whoever holds the lock knows no one listens there.
    QLocalServer::removeServer(serverName_);
    // Without the socket later starts still end at once; only the window stays where it is.
    if (!server_->listen(serverName_))
        return;
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(*socket); });
        }
    });
}

void SingleInstance::readRequest(QLocalSocket& socket) {
    if (!socket.canReadLine())
        return;
    // One request a connection; anything else someone writes here is not ours to act on.
    if (socket.readLine() == frontRequest)
        emit frontRequested();
    socket.disconnectFromServer();
}

bool SingleInstance::askFirstToFront(std::chrono::milliseconds deadline) const {
    const QDeadlineTimer timer(deadline);
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(static_cast<int>(timer.remainingTime())))
        return false;
    socket.write(frontRequest);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(static_cast<int>(timer.remainingTime())))
            return false;
    }
    return true;
}

} // namespace vexa
