#pragma once
// The key to the Session values this folder owns, iOutputType: the criteria panel's output kind.
// Only the writers named here can make one (see act/Session.h for who owns what).

namespace bp::test {
struct SessionSeed;
}  // namespace bp::test
namespace bp::gui {
class Program;
}  // namespace bp::gui

namespace bp::criteria {

class CriteriaPanel;

class SessionKey {
    friend class CriteriaPanel;
    friend class ::bp::gui::Program;        // stages its own values for the pictures
    friend struct ::bp::test::SessionSeed;  // tests seed values as the writers would

    SessionKey() = default;
};

}  // namespace bp::criteria
