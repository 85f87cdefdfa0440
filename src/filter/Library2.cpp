#include "filter/Library2.h"

#include <optional>
#include <unordered_set>

#include "filter/AllItemsMatch.h"
#include "filter/StageFailed.h"
#include "platform/Conversions.h"

namespace bp::filter {

namespace {

constexpr std::string_view kLibraryModule = "Library2";
constexpr const char* kNoMinimum = "0";
constexpr const char* kNoMaximum = "999999999";

platform::Routine libraryFunction(std::string_view name) {
    return {kLibraryModule, name, platform::RoutineKind::Function};
}

// "lower Chr(12) upper": the texts before and after the first separator.
std::pair<std::string_view, std::string_view> splitRange(std::string_view value) {
    std::size_t at = value.find(kItemSeparator);
    if (at == std::string_view::npos) {
        return {value, {}};
    }
    return {value.substr(0, at), value.substr(at + 1)};
}

std::string itemText(const std::string& listEntry) {
    return listEntry == criteria::kEmptyItem ? std::string() : listEntry;
}

}  // namespace

Library2::Library2(act::Session& session, const criteria::Criteria& criteria)
    : session_(session), criteria_(criteria), locale_(platform::Locale::current()) {}

void Library2::Add_To_List(IdList& list, std::string_view id) {
    list.add(id);
}

template <typename Match>
IdList Library2::scan(const IdList& candidates, int field, int returnField, Match&& match) {
    IdList result;
    act::RecordTable& sales = *session_.objSales;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        std::string id(candidates[i]);
        // A record the host cannot position on has no field to test.
        if (!sales.GoTo(id) || !match(sales.Data(field))) {
            continue;
        }
        // The candidate is the record's own unique ID: no need to ask the host for field 1,
        // and the kept candidates are distinct as the candidates are.
        if (returnField == kSalesId) {
            result.appendDistinct(id);
        } else {
            Add_To_List(result, sales.Data(returnField));
        }
    }
    return result;
}

IdList Library2::Select_ID(const IdList& candidates, int field, std::string_view criterion,
                           std::string_view value, int returnField, bool reverse) {
    return runRoutine(*session_.ui, libraryFunction("Select_ID"), [&]() -> IdList {
        if (candidates.empty()) {
            return {};
        }
        if (criterion == "Equals") {
            return selectEquals(candidates, field, value, returnField, reverse);
        }
        if (criterion == "Includes") {
            return selectIncludes(candidates, field, value, returnField, reverse);
        }
        if (criterion == "Between") {
            return selectBetween(candidates, field, value, returnField, reverse);
        }
        if (criterion == "BetweenDate") {
            return selectBetweenDate(candidates, field, value, returnField, reverse);
        }
        return {};
    });
}

IdList Library2::selectEquals(const IdList& c, int field, std::string_view value, int rf,
                              bool rev) {
    return scan(c, field, rf, [&](const std::string& f) { return (f == value) != rev; });
}

IdList Library2::selectIncludes(const IdList& c, int field, std::string_view value, int rf,
                                bool rev) {
    // Whole items only: a field holding part of an item is none of the items.
    std::unordered_set<std::string> items;
    bool emptyItem = false;
    std::string_view rest = value.empty() ? value : value.substr(1);
    for (std::size_t at; (at = rest.find(kItemSeparator)) != std::string_view::npos;) {
        std::string_view item = rest.substr(0, at);
        if (item.empty()) {
            emptyItem = true;
        } else {
            items.emplace(item);
        }
        rest.remove_prefix(at + 1);
    }
    return scan(c, field, rf, [&](const std::string& f) {
        bool found = f.empty() ? emptyItem : items.count(f) > 0;
        return found != rev;
    });
}

IdList Library2::selectBetween(const IdList& c, int field, std::string_view value, int rf,
                               bool rev) {
    // Named apart rather than bound: clang 14 (the fuzzing build) cannot capture bindings.
    const auto range = splitRange(value);
    const std::string_view lowerText = range.first;
    const std::string_view upperText = range.second;
    // The bounds are converted at the first record that has a value, as a user would see a
    // bound that is not a number only when there is something to compare it with.
    std::optional<std::pair<double, double>> bounds;
    return scan(c, field, rf, [&](const std::string& f) {
        if (f.empty()) {
            return false;
        }
        if (!bounds) {
            bounds.emplace(platform::CLng(lowerText, locale_), platform::CLng(upperText, locale_));
        }
        // The bounds are typed the regional way; the host writes its amounts with a ".".
        double number = platform::CDblHost(f, locale_);
        bool inside = bounds->first <= number && number <= bounds->second;
        return inside != rev;
    });
}

IdList Library2::selectBetweenDate(const IdList& c, int field, std::string_view value, int rf,
                                   bool rev) {
    const auto range = splitRange(value);
    const std::string_view lowerText = range.first;
    const std::string_view upperText = range.second;
    std::string lower = platform::formatYyyymmdd(platform::CDate(lowerText, locale_));
    std::string upper = platform::formatYyyymmdd(platform::CDate(upperText, locale_));
    return scan(c, field, rf, [&](const std::string& f) {
        if (f.empty()) {
            return false;
        }
        std::string_view key = dateKey(f);
        bool inside = lower <= key && key <= upper;
        return inside != rev;
    });
}

IdList Library2::byDate(const IdList& candidates, int field, int index, bool reverse) {
    return runRoutine(*session_.ui, libraryFunction("byDate"), [&] {
        const auto& condition = criteria_.conditions.at(static_cast<std::size_t>(index));
        std::string range = locale_.formatDateValue(condition.start) + kItemSeparator +
                            locale_.formatDateValue(condition.end);
        return Select_ID(candidates, field, "BetweenDate", range, kSalesId, reverse);
    });
}

IdList Library2::byNumber(const IdList& candidates, int field, int index, bool reverse) {
    return runRoutine(*session_.ui, libraryFunction("byNumber"), [&] {
        const auto& condition = criteria_.conditions.at(static_cast<std::size_t>(index));
        std::string lower = condition.minText.empty() ? kNoMinimum : condition.minText;
        std::string upper = condition.maxText.empty() ? kNoMaximum : condition.maxText;
        return Select_ID(candidates, field, "Between", lower + kItemSeparator + upper, kSalesId,
                         reverse);
    });
}

std::string Library2::Get_CriteriasFromList(int index) const {
    std::string items;
    for (const auto& entry :
         criteria_.conditions.at(static_cast<std::size_t>(index)).selectedItems) {
        items += entry;
        items += kItemSeparator;
    }
    return items;
}

IdList Library2::byList(const IdList& candidates, int field, int index, bool reverse) {
    return runRoutine(*session_.ui, libraryFunction("byList"), [&]() -> IdList {
        const auto& selected =
            criteria_.conditions.at(static_cast<std::size_t>(index)).selectedItems;
        if (selected.empty()) {
            return {};
        }
        if (selected.size() == 1) {
            return Select_ID(candidates, field, "Equals", itemText(selected.front()), kSalesId,
                             reverse);
        }
        std::vector<std::string> items;
        for (const auto& entry : selected) {
            items.push_back(itemText(entry));
        }
        return byList_Multiple(candidates, items, field, index, reverse);
    });
}

IdList Library2::byList_Multiple(const IdList& candidates, const std::vector<std::string>& items,
                                 int field, int index, bool reverse) {
    return runRoutine(*session_.ui, libraryFunction("byList_Multiple"), [&]() -> IdList {
        if (criteria_.conditions.at(static_cast<std::size_t>(index)).atLeastOne) {
            std::string value(1, kItemSeparator);
            for (const auto& item : items) {
                value += item;
                value += kItemSeparator;
            }
            return Select_ID(candidates, field, "Includes", value, kSalesId, reverse);
        }
        return allItems(candidates, items, field, reverse);
    });
}

IdList Library2::allItems(const IdList& candidates, const std::vector<std::string>& items,
                          int field, bool reverse) {
    // One walk reads each candidate's field and, when it matches an item, its contact; the
    // per-contact tally then decides without asking the host again.
    AllItemsMatch match(items, reverse);
    act::RecordTable& sales = *session_.objSales;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        std::string id(candidates[i]);
        if (!sales.GoTo(id)) {
            continue;
        }
        std::string value = sales.Data(field);
        if (match.matchesAny(value)) {
            match.addCandidate(id, sales.Data(kSalesContact), value);
        }
    }
    return match.result();
}

}  // namespace bp::filter
