// The gauge's clock, read and set as the clock window does.
#include "cli/CliRun.h"
#include "data/PrintableText.h"
#include "protocol/ProtocolCommands.h"

namespace vexa::cli {

namespace {

// The clock window is offered only for gauges whose clock the program can set.
const QString NoClock = QStringLiteral("this gauge has no clock the program sets");

} // namespace

QCoro::Task<int> CliRun::clock() {
    if (!co_await connectGauge())
        co_return Failure;
    if (!gauge_.identity().traits.setsClock())
        co_return fail(NoClock);
    const GaugeResult<QString> time = co_await gauge_.readClock();
    if (!time) {
        failRequest(time.error());
        co_return Failure;
    }
    writeOut(printableText(*time).toUtf8() + '\n');
    co_return Success;
}

QCoro::Task<int> CliRun::setClock() {
    if (!co_await connectGauge())
        co_return Failure;
    if (!gauge_.identity().traits.setsClock())
        co_return fail(NoClock);
    const QDateTime now = QDateTime::currentDateTime();
    const GaugeStatus written = co_await gauge_.setClock(now);
    // The time sent is printed either way: a gauge that did not confirm may still have taken it.
    writeOut(command::clockText(now).toUtf8() + '\n');
    if (!written) {
        failRequest(written.error());
        co_return Failure;
    }
    co_return Success;
}

} // namespace vexa::cli
