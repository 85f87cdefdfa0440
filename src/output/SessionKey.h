#pragma once
// The key to the Session values this folder owns, sDecimalSep, bNameSortAdded and bSortDescending:
// the run, its preview and its results list. Only the writers named here can make one (see
// act/Session.h for who owns what).

#include "act/SessionWriters.h"

namespace bp::output {

class RunCommand;
class PreviewCommand;
class ResultsList;

class SessionKey {
    friend class RunCommand;
    friend class PreviewCommand;
    friend class ResultsList;
    friend struct ::bp::test::SessionSeed;

    SessionKey() = default;
};

}  // namespace bp::output
