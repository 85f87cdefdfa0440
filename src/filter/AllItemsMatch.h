#pragma once
// The all-items mode of a list condition: keeps the sales records that carry one of the
// selected items, of the contacts that have, among the candidates, a matching record for
// every item. Fed one candidate at a time from a single walk of the candidates, it answers
// in time proportional to the candidates (times the items, with Reverse), with no limit on
// how many candidates or contacts there are.
//
// With Reverse, a record "matches" an item when its field differs from it.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "filter/IdList.h"

namespace bp::filter {

class AllItemsMatch {
public:
    // Items as the condition carries them; "<<Empty>>" already turned into the empty text.
    AllItemsMatch(std::vector<std::string> items, bool reverse);

    // Whether a record with this field value matches at least one item.
    bool matchesAny(std::string_view value) const;
    // One candidate with its contact and field value; each record is given at most once. A
    // record with no contact (or a malformed one) counts for no contact and is never selected.
    void addCandidate(std::string_view salesId, std::string_view contactId, std::string_view value);
    // The selected sales records, in the order the candidates were given.
    IdList result() const;

private:
    void cover(std::size_t contact, std::size_t item);
    const std::vector<std::uint32_t>* positionsOf(std::string_view value) const;

    std::vector<std::string> items_;
    bool reverse_;
    std::unordered_map<std::string, std::vector<std::uint32_t>> positions_;
    std::size_t words_;
    IdList contacts_;
    std::vector<std::uint64_t> covered_;       // words_ bits per contact: items it has
    std::vector<std::uint32_t> coveredCount_;  // per contact: how many items it has
    IdList matchedSales_;
    std::vector<std::uint32_t> matchedContact_;  // per matched sale: its contact's position
};

}  // namespace bp::filter
