#pragma once
// Seeds the Session's values of the run as their owners would have written them, so a test
// can start a window or routine in the state an earlier step of the run leaves behind.

#include <string>
#include <utility>

#include "act/Session.h"
#include "app/SessionKey.h"
#include "criteria/SessionKey.h"
#include "filter/SessionKey.h"
#include "integration/SessionKey.h"
#include "output/SessionKey.h"
#include "reports/SessionKey.h"

namespace bp::test {

struct SessionSeed {
    static void sTemplatesFolder(act::Session& s, std::string folder) {
        s.sTemplatesFolder.set(app::SessionKey{}, std::move(folder));
    }
    static void iOutputType(act::Session& s, int type) {
        s.iOutputType.set(criteria::SessionKey{}, type);
    }
    static void bRestartAct(act::Session& s, bool restart) {
        s.bRestartAct.set(integration::SessionKey{}, restart);
    }
    static void sDecimalSep(act::Session& s, std::string separator) {
        s.sDecimalSep.set(output::SessionKey{}, std::move(separator));
    }
    static void sReportName(act::Session& s, std::string name) {
        s.sReportName.set(reports::SessionKey{}, std::move(name));
    }
};

}  // namespace bp::test
