#pragma once
// The key to the Session values this folder owns, bContactLookupLoaded: the filter pipeline, the
// lookup builder and the snapshot reader. Only the writers named here can make one (see act/Session.h for who owns what).

#include "act/SessionWriters.h"

namespace bp::filter {

class SalesFilter;
class LookupBuilder;
class SnapshotReader;

class SessionKey {
    friend class SalesFilter;
    friend class LookupBuilder;
    friend class SnapshotReader;
    friend struct ::bp::test::SessionSeed;

    SessionKey() = default;
};

}  // namespace bp::filter
