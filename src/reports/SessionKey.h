#pragma once
// The key to the Session values this folder owns, sReportName: the report commands and the dialogs
// that choose or make a definition. Only the writers named here can make one (see act/Session.h for
// who owns what).

#include "act/SessionWriters.h"

namespace bp::reports {

class ReportCommands;
class FrmNew;
class FrmReportList;

class SessionKey {
    friend class ReportCommands;
    friend class FrmNew;
    friend class FrmReportList;
    friend class ::bp::gui::Program;
    friend class ::bp::win::PictureSession;
    friend struct ::bp::test::SessionSeed;

    SessionKey() = default;
};

}  // namespace bp::reports
