#pragma once
// Lookup building: for the "Contact Lookup" output the matching sales records become a host
// lookup of the contacts that own at least one of them, within the run's scope, shown on the
// contact view's "Sales/Opportunities" tab. With "Add to lookup" the contacts of the lookup
// that was current when the program started are added.
//
// After Sales_Filter_Dispatch answered true, the run command calls
//
//   LookupBuilder builder(filter);
//   switch (builder.makeLookup()) { case LookupOutcome::NothingFound: ... }
//
// or the single steps (Convert, Cross_Lookup, Create_Lookup) itself.

#include "filter/IdList.h"
#include "filter/SalesFilter.h"

namespace bp::filter {

enum class LookupOutcome {
    Created,       // the host shows the new lookup
    NothingFound,  // no contact to show: the run command says so
    Failed,        // a host failure; the common error message was shown
};

class LookupBuilder {
public:
    explicit LookupBuilder(SalesFilter& filter);

    // The contacts of the sales records, each once, in order of their first sale. A sale with
    // no contact adds none.
    IdList Convert(const IdList& sales);
    // The IDs in both lists, in the order of the list walked.
    IdList Cross_Lookup(const IdList& a, const IdList& b);
    // Appends the contacts of the start-up lookup that are not in IDs yet.
    void Add_Lookup(IdList& ids);
    void Create_Lookup(const IdList& ids);

    // The lookup output of a run: with "No Sales Opportunities" the scope contacts without
    // open opportunities, else the scope contacts owning a matching sale.
    LookupOutcome makeLookup();
    // The contacts makeLookup would hand to the host (sContactIDs), without asking the host
    // for a lookup: Created when there are some.
    LookupOutcome selectContacts();

    const IdList& sSalesContactIDs() const { return sSalesContactIDs_; }
    // The contacts handed to the host by the last makeLookup (before Add_Lookup).
    const IdList& sContactIDs() const { return sContactIDs_; }

private:
    SalesFilter& filter_;
    act::Session& session_;
    IdList sSalesContactIDs_;
    IdList sContactIDs_;
};

}  // namespace bp::filter
