#include "QuitOnSignals.h"

#include <QCoreApplication>
#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace vexa::bluezdouble {

namespace {

sigset_t quitSignals() {
    sigset_t quit;
    sigemptyset(&quit);
    sigaddset(&quit, SIGTERM);
    sigaddset(&quit, SIGINT);
    return quit;
}

} // namespace

QuitOnSignals::QuitOnSignals() {
    const sigset_t quit = quitSignals();
    pthread_sigmask(SIG_BLOCK, &quit, nullptr);
    fd_ = signalfd(-1, &quit, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0)
        qFatal("signalfd failed");
}

QuitOnSignals::~QuitOnSignals() {
    notifier_.reset();
    close(fd_);
}

void QuitOnSignals::watch() {
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        signalfd_siginfo received{};
        [[maybe_unused]] const ssize_t ignored = read(fd_, &received, sizeof received);
        QCoreApplication::quit();
    });
}

} // namespace vexa::bluezdouble
