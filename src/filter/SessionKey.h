#pragma once
// The key to the Session values this folder owns, bContactLookupLoaded: the filter pipeline and the
// lookup builder. Only the writers named here can make one (see act/Session.h for who owns what).

#include "act/SessionWriters.h"

namespace bp::filter {

class SalesFilter;
class LookupBuilder;

class SessionKey {
    friend class SalesFilter;
    friend class LookupBuilder;
    friend struct ::bp::test::SessionSeed;

    SessionKey() = default;
};

}  // namespace bp::filter
