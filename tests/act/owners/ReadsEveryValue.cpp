// Compiles: anyone may read the run's values.
#include "act/Session.h"

int readAll(const bp::act::Session& s) {
    return static_cast<int>(s.sCurrentUser().size() + s.sTemplatesFolder().size() +
                            s.sDecimalSep().size() + s.sReportName().size()) +
           s.iOutputType() + s.bRestartAct() + s.bNameSortAdded() + s.bSortDescending() +
           s.bContactLookupLoaded();
}
