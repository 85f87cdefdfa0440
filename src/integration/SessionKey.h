#pragma once
// The key to the Session values this folder owns, bRestartAct: the host integration dialog.
// Only the writers named here, and those of act/SessionWriters.h, can make one (see
// act/Session.h for who owns what).

#include "act/SessionWriters.h"

namespace bp::integration {

class FrmIntegrate;

class SessionKey {
    friend class FrmIntegrate;
    friend struct ::bp::test::SessionSeed;

    SessionKey() = default;
};

}  // namespace bp::integration
