#include "report/TextReport.h"

#include "main/MainModel.h"

namespace vexa {

QString buildReport(MainModel&, ReportMode) {
    return {};
}

QString measurementFileText(MainModel& main) {
    return buildReport(main, ReportMode::All) + QStringLiteral("\r\n");
}

} // namespace vexa
