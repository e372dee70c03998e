#pragma once

#include <QSocketNotifier>
#include <memory>

namespace vexa::bluezdouble {

// Turns SIGTERM and SIGINT into a quit of the event loop, so that the double ends cleanly (and the
// sanitizers get to check it) when the test wrapper stops it. Construct before any thread starts: the
// signals are blocked in the constructing thread and read from a signalfd.
class QuitOnSignals {
public:
    QuitOnSignals();
    QuitOnSignals(const QuitOnSignals&) = delete;
    QuitOnSignals& operator=(const QuitOnSignals&) = delete;
    ~QuitOnSignals();

    // Starts watching; needs the application object.
    void watch();

private:
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace vexa::bluezdouble
