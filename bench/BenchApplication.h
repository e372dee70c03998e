#pragma once

#include <QApplication>

namespace vexa {

// The one application object of the benchmark process; with widgets, drawn offscreen, so that the soak
// runs the program's windows.
inline QApplication& benchApplication() {
    static int argc = 1;
    static char name[] = "vexa-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

} // namespace vexa
