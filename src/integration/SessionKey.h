#pragma once
// The key to the Session values this folder owns, bRestartAct: the host integration dialog.
// Only the writers named here can make one (see act/Session.h for who owns what).

namespace bp::test {
struct SessionSeed;
}  // namespace bp::test

namespace bp::integration {

class FrmIntegrate;

class SessionKey {
    friend class FrmIntegrate;
    friend struct ::bp::test::SessionSeed;  // tests seed values as the writers would

    SessionKey() = default;
};

}  // namespace bp::integration
