#pragma once
// The filter primitives: each walks a list of candidate sales records, positions the shared
// sales table on each with one GoTo, reads one to three fields, and returns the records (or
// the field values) that meet a date, number or list condition. Conditions come from the
// criteria snapshot (index 0 for the first condition, 1 for the second).
//
// Every primitive runs under the common error handler: a failure (a bound that is not a
// number, a field that is no date, a host error) shows the common message and throws
// StageFailed, so no partial result is ever used.

#include <string>
#include <string_view>
#include <vector>

#include "act/Session.h"
#include "criteria/Criteria.h"
#include "filter/DateKeyCache.h"
#include "filter/IdList.h"
#include "platform/Locale.h"

namespace bp::filter {

// Sales record fields the engine reads.
enum SalesField : int {
    kSalesId = 1,
    kSalesEditDate = 3,
    kSalesManager = 6,
    kSalesContact = 25,
    kSalesStatus = 27,
    kSalesCreateDate = 35,
};

inline constexpr char kItemSeparator = '\x0C';

class Library2 {
public:
    Library2(act::Session& session, const criteria::Criteria& criteria);

    // Appends ID unless it is listed already; an empty or malformed value is never collected.
    static void Add_To_List(IdList& list, std::string_view id);

    // criterion: "Equals" (value: one item), "Includes" (value: Chr(12), then each item and
    // Chr(12)), "Between" (value: lower, Chr(12), upper) or "BetweenDate" (two date texts);
    // any other text gives the empty result without a host call.
    IdList Select_ID(const IdList& candidates, int field, std::string_view criterion,
                     std::string_view value, int returnField, bool reverse);
    IdList byDate(const IdList& candidates, int field, int index, bool reverse);
    IdList byNumber(const IdList& candidates, int field, int index, bool reverse);
    IdList byList(const IdList& candidates, int field, int index, bool reverse);
    IdList byList_Multiple(const IdList& candidates, const std::vector<std::string>& items,
                           int field, int index, bool reverse);
    // The selected items of the condition's list, each followed by Chr(12).
    std::string Get_CriteriasFromList(int index) const;

    // "yyyymmdd" of a date text the host wrote, under the user's locale: compared as text,
    // such keys order dates and ignore the time of day. Raises 13 for a text that is no date.
    std::string_view dateKey(std::string_view text) { return dateKeys_.key(text); }

private:
    template <typename Match>
    IdList scan(const IdList& candidates, int field, int returnField, Match&& match);
    IdList selectEquals(const IdList& c, int field, std::string_view value, int rf, bool rev);
    IdList selectIncludes(const IdList& c, int field, std::string_view value, int rf, bool rev);
    IdList selectBetween(const IdList& c, int field, std::string_view value, int rf, bool rev);
    IdList selectBetweenDate(const IdList& c, int field, std::string_view value, int rf, bool rev);
    IdList allItems(const IdList& candidates, const std::vector<std::string>& items, int field,
                    bool reverse);

    act::Session& session_;
    const criteria::Criteria& criteria_;
    platform::Locale locale_;
    DateKeyCache dateKeys_{locale_};
};

}  // namespace bp::filter
