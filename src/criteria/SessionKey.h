#pragma once
// The key to the Session values this folder owns, iOutputType: the criteria panel's output kind.
// Only the writers named here, and those of act/SessionWriters.h, can make one (see
// act/Session.h for who owns what).

#include "act/SessionWriters.h"

namespace bp::criteria {

class CriteriaPanel;

class SessionKey {
    friend class CriteriaPanel;
    friend class ::bp::gui::Program;
    friend class ::bp::win::PictureSession;
    friend struct ::bp::test::SessionSeed;

    SessionKey() = default;
};

}  // namespace bp::criteria
