#include "filter/AllItemsMatch.h"

namespace bp::filter {

AllItemsMatch::AllItemsMatch(std::vector<std::string> items, bool reverse)
    : items_(std::move(items)), reverse_(reverse), words_((items_.size() + 63) / 64) {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        positions_[items_[i]].push_back(static_cast<std::uint32_t>(i));
    }
}

const std::vector<std::uint32_t>* AllItemsMatch::positionsOf(std::string_view value) const {
    auto found = positions_.find(std::string(value));
    return found == positions_.end() ? nullptr : &found->second;
}

bool AllItemsMatch::matchesAny(std::string_view value) const {
    const auto* equal = positionsOf(value);
    if (!reverse_) {
        return equal != nullptr;
    }
    // A value differs from some item unless every item is that very value.
    return equal == nullptr || equal->size() < items_.size();
}

void AllItemsMatch::cover(std::size_t contact, std::size_t item) {
    std::uint64_t& word = covered_[contact * words_ + item / 64];
    std::uint64_t bit = std::uint64_t{1} << (item % 64);
    if ((word & bit) == 0) {
        word |= bit;
        ++coveredCount_[contact];
    }
}

void AllItemsMatch::addCandidate(std::string_view salesId, std::string_view contactId,
                                 std::string_view value) {
    if (!IdList::isId(contactId) || !IdList::isId(salesId) || !matchesAny(value)) {
        return;
    }
    std::size_t contact = contacts_.indexOf(contactId);
    if (contact == IdList::npos) {
        contact = contacts_.size();
        contacts_.add(contactId);
        covered_.resize(covered_.size() + words_, 0);
        coveredCount_.push_back(0);
    }
    const auto* equal = positionsOf(value);
    if (!reverse_) {
        for (std::uint32_t item : *equal) {
            cover(contact, item);
        }
    } else {
        for (std::size_t item = 0; item < items_.size(); ++item) {
            if (items_[item] != value) {
                cover(contact, item);
            }
        }
    }
    // Candidates come once each, from a walk of a list of distinct records.
    matchedSales_.appendDistinct(salesId);
    matchedContact_.push_back(static_cast<std::uint32_t>(contact));
}

IdList AllItemsMatch::result() const {
    IdList selected;
    for (std::size_t i = 0; i < matchedSales_.size(); ++i) {
        if (coveredCount_[matchedContact_[i]] == items_.size()) {
            selected.appendDistinct(matchedSales_[i]);
        }
    }
    return selected;
}

}  // namespace bp::filter
