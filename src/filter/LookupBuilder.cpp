#include "filter/LookupBuilder.h"

#include "filter/Library2.h"
#include "filter/LookupFiles.h"
#include "filter/SessionKey.h"
#include "filter/StageFailed.h"
#include "platform/PathText.h"

namespace bp::filter {

namespace {

constexpr std::string_view kBuilderModule = "frmMain";
constexpr int kBeforeLookupCommand = 701;
constexpr int kContactViewKind = 1;
constexpr const char* kContactViewName = "CV";
constexpr const char* kSalesTab = "Sales/Opportunities";

platform::Routine routine(std::string_view name,
                          platform::RoutineKind kind = platform::RoutineKind::Function) {
    return {kBuilderModule, name, kind};
}

}  // namespace

LookupBuilder::LookupBuilder(SalesFilter& filter) : filter_(filter), session_(filter.session()) {}

IdList LookupBuilder::Convert(const IdList& sales) {
    return runRoutine(*session_.ui, routine("Convert"), [&] {
        IdList contacts;
        act::RecordTable& table = *session_.objSales;
        for (std::size_t i = 0; i < sales.size(); ++i) {
            if (table.GoTo(std::string(sales[i]))) {
                contacts.add(table.Data(kSalesContact));
            }
        }
        return contacts;
    });
}

IdList LookupBuilder::Cross_Lookup(const IdList& a, const IdList& b) {
    return runRoutine(*session_.ui, routine("Cross_Lookup"), [&] {
        // The walked list gives the lookup its order: B when the run found more sales
        // records than B has contacts, else A.
        bool walkB = filter_.sSalesIDs().size() > b.size();
        const IdList& walked = walkB ? b : a;
        const IdList& searched = walkB ? a : b;
        IdList both;
        for (std::size_t i = 0; i < walked.size(); ++i) {
            if (searched.contains(walked[i])) {
                both.appendDistinct(walked[i]);
            }
        }
        return both;
    });
}

void LookupBuilder::Add_Lookup(IdList& ids) {
    runRoutine(*session_.ui, routine("Add_Lookup", platform::RoutineKind::Sub), [&] {
        act::RecordTable& contacts = *session_.objContact;
        contacts.LoadLookupQuery(platform::joinPath(session_.programFolder, kStartupLookupFile));
        session_.bContactLookupLoaded.set(SessionKey{}, true);
        for (contacts.MoveFirst(); !contacts.isEOF(); contacts.MoveNext()) {
            ids.add(contacts.Data(1));
        }
    });
}

void LookupBuilder::Create_Lookup(const IdList& ids) {
    runRoutine(*session_.ui, routine("Create_Lookup", platform::RoutineKind::Sub), [&] {
        session_.objActApp->Command(kBeforeLookupCommand);
        session_.objContactView = session_.objViews->Create(kContactViewKind, kContactViewName);
        IdList lookup = ids;
        if (filter_.iScope() == kAllContactsAddToLookup) {
            Add_Lookup(lookup);
        }
        session_.objContactView->CreateLookup(lookup.packed());
        session_.objContactView->SetActiveTab(kSalesTab);
    });
}

LookupOutcome LookupBuilder::selectContacts() {
    try {
        if (filter_.criteria().chkSales[3]) {
            sContactIDs_ = filter_.sContactIDs();
        } else {
            if (filter_.sSalesIDs().empty() || filter_.sContactIDs().empty()) {
                return LookupOutcome::NothingFound;
            }
            sSalesContactIDs_ = Convert(filter_.sSalesIDs());
            sContactIDs_ = Cross_Lookup(sSalesContactIDs_, filter_.sContactIDs());
        }
        return sContactIDs_.empty() ? LookupOutcome::NothingFound : LookupOutcome::Created;
    } catch (const StageFailed&) {
        return LookupOutcome::Failed;
    }
}

LookupOutcome LookupBuilder::makeLookup() {
    LookupOutcome selected = selectContacts();
    if (selected != LookupOutcome::Created) {
        return selected;
    }
    try {
        Create_Lookup(sContactIDs_);
        return LookupOutcome::Created;
    } catch (const StageFailed&) {
        return LookupOutcome::Failed;
    }
}

}  // namespace bp::filter
