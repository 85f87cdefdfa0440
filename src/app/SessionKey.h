#pragma once
// The key to the Session values this folder owns, sCurrentUser and sTemplatesFolder: start-up opens
// the database and the main window reads the templates folder from the settings store as it loads.
// Only the writers named here, and those of act/SessionWriters.h, can make one (see
// act/Session.h for who owns what).

#include <memory>

#include "act/SessionWriters.h"

namespace bp::platform {
class SingleInstance;
}  // namespace bp::platform
namespace bp::act {
struct Session;
}  // namespace bp::act

namespace bp::app {

class FrmMain;
struct StartUpSteps;

class SessionKey {
    friend class FrmMain;
    friend std::unique_ptr<FrmMain> Sub_Main(act::Session& session,
                                             const platform::SingleInstance& instance,
                                             const StartUpSteps& steps);
    friend class ::bp::gui::Program;
    friend class ::bp::win::PictureSession;
    friend struct ::bp::test::SessionSeed;

    SessionKey() = default;
};

}  // namespace bp::app
