#pragma once
// The filter pipeline: turns the criteria snapshot into the contacts of the chosen scope
// (sContactIDs) and the sales records that pass every filter and condition (sSalesIDs).
// Each stage narrows the list of the stage before it, so filters and conditions combine with
// AND at the level of single sales records.
//
// The run command calls, in this order:
//
//   SalesFilter filter(session, criteria);
//   int rc = filter.Check_Conditions();       // 0 usable; 2, 3: that condition's tab
//   if (rc == 0 && filter.Sales_Filter_Dispatch()) { ... filter.sSalesIDs() ... }
//
// and for a lookup LookupBuilder (LookupBuilder.h). A stage that fails has shown the common
// error message; Sales_Filter_Dispatch then answers false and leaves both lists empty, so
// nothing is built from a partial result.

#include <string>
#include <vector>

#include "act/Session.h"
#include "criteria/Criteria.h"
#include "filter/IdList.h"
#include "filter/Library2.h"

namespace bp::filter {

// Scopes of a run (iScope).
enum Scope : int {
    kCurrentContact = 0,
    kCurrentLookup = 1,
    kAllContacts = 2,
    kAllContactsAddToLookup = 3,
};

class SalesFilter {
public:
    SalesFilter(act::Session& session, const criteria::Criteria& criteria);

    int Check_Conditions();
    bool Sales_Filter_Dispatch();

    // The stages, in the order Sales_Filter_Dispatch runs them. Each shows the common error
    // message and throws StageFailed when it fails.
    IdList GetLookup(int iScope);
    IdList GetIDs(const std::vector<int>& itemData);
    IdList Filter_By_Lookup(int iScope, const IdList& contacts);
    IdList Filter_By_SalesManager(const IdList& sales);
    IdList Filter_By_CreateDate(const IdList& sales);
    IdList Filter_By_Type(const IdList& sales);
    // How a condition narrows the sales: the first always keeps the matching records, the
    // second keeps them (AND) or drops them (AND NOT).
    enum class Join { And, AndNot };
    IdList Filter_By_Condition(const IdList& sales, int index, Join join);
    // The contacts of the scope that own none of the sales records.
    IdList No_Sales(const IdList& contacts, const IdList& sales);

    const IdList& sSalesIDs() const { return sSalesIDs_; }
    const IdList& sContactIDs() const { return sContactIDs_; }
    int iScope() const { return iScope_; }
    act::Session& session() { return session_; }
    const criteria::Criteria& criteria() const { return criteria_; }

private:
    void setScope();
    void runStages();
    bool conditionLacksItems(int index) const;
    IdList walkContacts(act::RecordTable& contacts, const IdList* managers);
    IdList currentContact(const IdList* managers);
    template <typename Keep>
    IdList retain(const IdList& sales, int field, Keep&& keep);

    act::Session& session_;
    const criteria::Criteria& criteria_;
    Library2 library_;
    IdList sSalesIDs_;
    IdList sContactIDs_;
    int iScope_ = kCurrentContact;
};

}  // namespace bp::filter
