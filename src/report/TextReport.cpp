#include "report/TextReport.h"

#include "main/MainModel.h"

namespace vexa {

QString buildReport(MainModel&, ReportMode) {
    return {};
}

} // namespace vexa
