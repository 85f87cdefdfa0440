// Must not compile: code outside the reports folder's writers makes the reports key.
#include "act/Session.h"
#include "reports/SessionKey.h"

void chooseReport(bp::act::Session& s) {
    s.sReportName.set(bp::reports::SessionKey{}, "Pipeline");
}
