#pragma once
// The key to the Session values this folder owns, sCurrentUser and sTemplatesFolder: start-up opens
// the database and the main window reads the templates folder from the settings store as it loads.
// Only the writers named here can make one (see act/Session.h for who owns what).

#include <memory>

namespace bp::platform {
class SingleInstance;
}  // namespace bp::platform
namespace bp::act {
struct Session;
}  // namespace bp::act
namespace bp::test {
struct SessionSeed;
}  // namespace bp::test
namespace bp::gui {
class Program;
}  // namespace bp::gui

namespace bp::app {

class FrmMain;

class SessionKey {
    friend class FrmMain;
    friend std::unique_ptr<FrmMain> Sub_Main(act::Session& session,
                                             const platform::SingleInstance& instance);
    friend class ::bp::gui::Program;        // stages its own values for the pictures
    friend struct ::bp::test::SessionSeed;  // tests seed values as the writers would

    SessionKey() = default;
};

}  // namespace bp::app
