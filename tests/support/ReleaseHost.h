#pragma once
// Lets go of every host object a test session holds. A host still open holds its database
// file, which Windows lets no one replace, and the session must not keep pointing at a host
// that is about to go.

#include "act/Session.h"

namespace bp::test {

inline void releaseHost(act::Session& session) {
    session.objContactView = nullptr;
    session.objViews = nullptr;
    session.objListTable = nullptr;
    session.objUsers = nullptr;
    session.objSales = nullptr;
    session.objContact = nullptr;
    session.objFields = nullptr;
    session.objGroup = nullptr;
    session.objDatabase = nullptr;
    session.objActApp = nullptr;
    session.host = nullptr;
}

}  // namespace bp::test
