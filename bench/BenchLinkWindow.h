#pragma once

#include "window/LinkWindowModel.h"
#include "window/WindowSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace vexa {

// Plays the user's part in the link window whenever the session opens it: while it scans, pick the first
// gauge listed and connect; giving up after 5 s without a listed gauge and 10 s without a link.
inline void playLinkWindow(WindowSession& session) {
    QObject::connect(&session, &WindowSession::linkWindowRequested, &session, [&session] {
        LinkWindowModel& link = session.linkWindow();
        QElapsedTimer waited;
        waited.start();
        while (link.controls().items(ble::lbDevices).isEmpty() && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        link.lbDevices_Click(0);
        link.cmdConnect_Click();
        while (!session.gauge().linkConnected() && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    });
}

} // namespace vexa
