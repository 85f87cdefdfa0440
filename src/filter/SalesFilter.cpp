#include "filter/SalesFilter.h"

#include <algorithm>
#include <array>
#include <optional>

#include "filter/LookupFiles.h"
#include "filter/SessionKey.h"
#include "filter/StageFailed.h"
#include "platform/Conversions.h"
#include "platform/PathText.h"

namespace bp::filter {

namespace {

constexpr std::string_view kFilterModule = "frmMain";

platform::Routine filterFunction(std::string_view name) {
    return {kFilterModule, name, platform::RoutineKind::Function};
}

enum class Primitive { List, Date, Number };

struct ConditionField {
    const char* text;
    int field;
    Primitive primitive;
};

// Positions of the condition combos' entries -> sales field and primitive.
constexpr std::array<ConditionField, 9> kConditionFields{{
    {"Products", 200, Primitive::List},
    {"Types", 201, Primitive::List},
    {"Competitors", 202, Primitive::List},
    {"Sales Stages", 39, Primitive::List},
    {"Forecasted Close Dates", 31, Primitive::Date},
    {"Probabilities", 30, Primitive::Number},
    {"Units", 32, Primitive::Number},
    {"Amounts", 34, Primitive::Number},
    {"Edit Date", 3, Primitive::Date},
}};
constexpr int kFirstNonListField = 4;

struct StatusTexts {
    const char* english;
    const char* german;
};

// Per status box, the texts the host may return in either language. "No Sales
// Opportunities" keeps the open opportunities, which No_Sales then subtracts.
constexpr std::array<StatusTexts, 4> kStatusTexts{{
    {"Sales Opportunity", "Potenzieller Auftrag"},
    {"Closed/Won Sale", "Auftrag gewonnen"},
    {"Lost Sale", "Auftrag verloren"},
    {"Sales Opportunity", "Potenzieller Auftrag"},
}};

struct ConditionMessage {
    const char* text;
    const char* title;
};

constexpr std::array<ConditionMessage, 2> kConditionMessages{{
    {"You need to choose an item from the list for the 1st condition.\r\n"
     "Or if you don't want to apply a condition, uncheck the 1st Condition checkbox.",
     "The first condition is not properly defined!"},
    {"You need to choose an item from the list for the 2nd condition.\r\n"
     "Or if you don't want to apply a second condition, uncheck the 2nd Condition checkbox.",
     "The second condition is not properly defined!"},
}};

}  // namespace

SalesFilter::SalesFilter(act::Session& session, const criteria::Criteria& criteria)
    : session_(session), criteria_(criteria), library_(session, criteria) {}

bool SalesFilter::conditionLacksItems(int index) const {
    const auto& condition = criteria_.conditions.at(static_cast<std::size_t>(index));
    return condition.applied && condition.field < kFirstNonListField &&
           condition.selectedItems.empty();
}

int SalesFilter::Check_Conditions() {
    for (int index = 0; index < 2; ++index) {
        if (conditionLacksItems(index)) {
            const auto& message = kConditionMessages.at(static_cast<std::size_t>(index));
            session_.ui->message(
                {message.title, message.text, forms::MsgButtons::OK, forms::MsgIcon::None});
            return index + 2;
        }
    }
    return 0;
}

bool SalesFilter::Sales_Filter_Dispatch() {
    try {
        runRoutine(*session_.ui,
                   {kFilterModule, "Sales_Filter_Dispatch", platform::RoutineKind::Sub},
                   [&] { runStages(); });
        return true;
    } catch (const StageFailed&) {
        sSalesIDs_.clear();
        sContactIDs_.clear();
        return false;
    }
}

void SalesFilter::setScope() {
    // A later selected option overrides an earlier one; with none selected the scope stays.
    const auto& report = criteria_.optReport;
    const auto& lookup = criteria_.optLookup;
    const std::array<std::pair<bool, int>, 3> options =
        criteria_.reportOutput
            ? std::array<std::pair<bool, int>, 3>{{{report[0], kCurrentContact},
                                                   {report[1], kCurrentLookup},
                                                   {report[2], kAllContacts}}}
            : std::array<std::pair<bool, int>, 3>{{{lookup[0], kAllContacts},
                                                   {lookup[1], kAllContactsAddToLookup},
                                                   {lookup[2], kCurrentLookup}}};
    for (const auto& [selected, scope] : options) {
        if (selected) {
            iScope_ = scope;
        }
    }
}

void SalesFilter::runStages() {
    sSalesIDs_.clear();
    sContactIDs_.clear();
    setScope();
    sContactIDs_ = GetLookup(iScope_);
    sSalesIDs_ = Filter_By_Lookup(iScope_, sContactIDs_);
    if (!criteria_.optSalesManagedBy[0]) {
        sSalesIDs_ = Filter_By_SalesManager(sSalesIDs_);
    }
    if (!criteria_.optDate[0]) {
        sSalesIDs_ = Filter_By_CreateDate(sSalesIDs_);
    }
    const auto& status = criteria_.chkSales;
    if (!(status[0] && status[1] && status[2]) || status[3]) {
        sSalesIDs_ = Filter_By_Type(sSalesIDs_);
    }
    if (criteria_.conditions[0].applied) {
        sSalesIDs_ = Filter_By_Condition(sSalesIDs_, 0, Join::And);
    }
    if (criteria_.conditions[1].applied) {
        sSalesIDs_ =
            Filter_By_Condition(sSalesIDs_, 1, criteria_.reverseSecond ? Join::AndNot : Join::And);
    }
    if (status[3]) {
        sContactIDs_ = No_Sales(sContactIDs_, sSalesIDs_);
        sSalesIDs_.clear();
    }
}

IdList SalesFilter::GetIDs(const std::vector<int>& itemData) {
    return runRoutine(*session_.ui, filterFunction("GetIDs"), [&] {
        IdList users;
        for (int position : itemData) {
            users.add(session_.objUsers->UniqueID(position));
        }
        return users;
    });
}

IdList SalesFilter::GetLookup(int iScope) {
    return runRoutine(*session_.ui, filterFunction("GetLookup"), [&]() -> IdList {
        std::optional<IdList> managers;
        if (!criteria_.optManagedby[0]) {
            managers = GetIDs(criteria_.selectedContactManagers);
        }
        const IdList* restriction = managers ? &*managers : nullptr;
        if (iScope == kCurrentContact) {
            return currentContact(restriction);
        }
        if (iScope == kCurrentLookup) {
            std::string path = platform::joinPath(session_.programFolder, kCurrentLookupFile);
            session_.objActApp->SaveCurrentLookup(path);
            session_.objContact->LoadLookupQuery(path);
            session_.bContactLookupLoaded.set(SessionKey{}, true);
        } else if (session_.bContactLookupLoaded()) {
            // An earlier run of this start left the table on a lookup; all contacts again.
            session_.objContact->LoadLookupQuery("");
            session_.bContactLookupLoaded.set(SessionKey{}, false);
        }
        return walkContacts(*session_.objContact, restriction);
    });
}

IdList SalesFilter::currentContact(const IdList* managers) {
    std::string id = session_.objContactView->GetCurrentId();
    IdList contact;
    // The restriction tests the contact's record manager, as for every other scope.
    if (managers &&
        !(session_.objContact->GoTo(id) && managers->contains(session_.objContact->Data(6)))) {
        return contact;
    }
    contact.add(id);
    return contact;
}

IdList SalesFilter::walkContacts(act::RecordTable& contacts, const IdList* managers) {
    IdList result;
    for (contacts.MoveFirst(); !contacts.isEOF(); contacts.MoveNext()) {
        session_.progress.step();
        if (managers && !managers->contains(contacts.Data(6))) {
            continue;
        }
        // A walk meets each record once, and unique IDs are unique within a table.
        result.appendDistinct(contacts.Data(1));
    }
    return result;
}

IdList SalesFilter::Filter_By_Lookup(int iScope, const IdList& contacts) {
    return runRoutine(*session_.ui, filterFunction("Filter_By_Lookup"), [&] {
        bool restricted = criteria_.optManagedby[1] || iScope < kAllContacts;
        act::RecordTable& sales = *session_.objSales;
        IdList result;
        for (sales.MoveFirst(); !sales.isEOF(); sales.MoveNext()) {
            session_.progress.step();
            if (restricted && !contacts.contains(sales.Data(kSalesContact))) {
                continue;
            }
            result.appendDistinct(sales.Data(kSalesId));
        }
        return result;
    });
}

template <typename Keep>
IdList SalesFilter::retain(const IdList& sales, int field, Keep&& keep) {
    act::RecordTable& table = *session_.objSales;
    IdList result;
    for (std::size_t i = 0; i < sales.size(); ++i) {
        session_.progress.step();
        std::string id(sales[i]);
        if (table.GoTo(id) && keep(table.Data(field))) {
            result.appendDistinct(id);
        }
    }
    return result;
}

IdList SalesFilter::Filter_By_SalesManager(const IdList& sales) {
    return runRoutine(*session_.ui, filterFunction("Filter_By_SalesManager"), [&]() -> IdList {
        IdList users = GetIDs(criteria_.selectedSalesManagers);
        if (users.empty()) {
            return {};
        }
        return retain(sales, kSalesManager,
                      [&](const std::string& manager) { return users.contains(manager); });
    });
}

IdList SalesFilter::Filter_By_CreateDate(const IdList& sales) {
    return runRoutine(*session_.ui, filterFunction("Filter_By_CreateDate"), [&] {
        std::string from = platform::formatYyyymmdd(criteria_.createdFrom);
        std::string to = platform::formatYyyymmdd(criteria_.createdTo);
        return retain(sales, kSalesCreateDate, [&](const std::string& created) {
            if (created.empty()) {
                return false;
            }
            std::string_view key = library_.dateKey(created);
            return from <= key && key <= to;
        });
    });
}

IdList SalesFilter::Filter_By_Type(const IdList& sales) {
    return runRoutine(*session_.ui, filterFunction("Filter_By_Type"), [&]() -> IdList {
        // The whole status text must be one of the accepted texts.
        std::vector<std::string> accepted;
        for (std::size_t box = 0; box < kStatusTexts.size(); ++box) {
            if (criteria_.chkSales[box]) {
                accepted.emplace_back(kStatusTexts[box].english);
                accepted.emplace_back(kStatusTexts[box].german);
            }
        }
        if (accepted.empty()) {
            return {};
        }
        return retain(sales, kSalesStatus, [&](const std::string& status) {
            return std::find(accepted.begin(), accepted.end(), status) != accepted.end();
        });
    });
}

IdList SalesFilter::Filter_By_Condition(const IdList& sales, int index, Join join) {
    const bool reverse = join == Join::AndNot;
    return runRoutine(*session_.ui, filterFunction("Filter_By_Condition"), [&]() -> IdList {
        int position = criteria_.conditions.at(static_cast<std::size_t>(index)).field;
        if (position < 0 || position >= static_cast<int>(kConditionFields.size())) {
            return {};
        }
        const ConditionField& row = kConditionFields[static_cast<std::size_t>(position)];
        switch (row.primitive) {
            case Primitive::List:
                return library_.byList(sales, row.field, index, reverse);
            case Primitive::Date:
                return library_.byDate(sales, row.field, index, reverse);
            case Primitive::Number:
                return library_.byNumber(sales, row.field, index, reverse);
        }
        return {};
    });
}

IdList SalesFilter::No_Sales(const IdList& contacts, const IdList& sales) {
    return runRoutine(*session_.ui, filterFunction("No_Sales"), [&] {
        if (sales.empty()) {
            return contacts;
        }
        // Marks the contacts that own a kept record by their position in the contact list,
        // whose index the scope test has built already, instead of indexing the owners anew.
        std::vector<bool> owns(contacts.size(), false);
        act::RecordTable& table = *session_.objSales;
        for (std::size_t i = 0; i < sales.size(); ++i) {
            if (table.GoTo(std::string(sales[i]))) {
                std::size_t at = contacts.indexOf(table.Data(kSalesContact));
                if (at != IdList::npos) {
                    owns[at] = true;
                }
            }
        }
        IdList remaining;
        for (std::size_t i = 0; i < contacts.size(); ++i) {
            if (!owns[i]) {
                remaining.appendDistinct(contacts[i]);
            }
        }
        return remaining;
    });
}

}  // namespace bp::filter
