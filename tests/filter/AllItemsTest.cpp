// The all-items mode of a list condition: contacts that carry every selected item among the
// candidates keep their matching records; the mode has no limit on the number of candidates.

#include <gtest/gtest.h>

#include "FilterFixture.h"
#include "filter/AllItemsMatch.h"
#include "filter/Library2.h"

namespace bp::filter::test {
namespace {

class AllItemsTest : public FilterFixture {
protected:
    IdList run(const IdList& candidates, std::vector<std::string> items, bool reverse = false) {
        selectCondition(0, criteria::kProducts, std::move(items));
        criteria_.conditions[0].atLeastOne = false;
        return Library2(session_, criteria_).byList(candidates, 200, 0, reverse);
    }
    static IdList list(const std::vector<std::string>& values) {
        IdList out;
        for (const auto& v : values) {
            out.add(v);
        }
        return out;
    }
};

TEST_F(AllItemsTest, KeepsTheMatchingRecordsOfContactsWithEveryItem) {
    load(dataset(json::array({contact(1), contact(2)}),
                 json::array({sale(1, 1, {{"200", "Widget"}}), sale(2, 2, {{"200", "Widget"}}),
                              sale(3, 1, {{"200", "Other"}}), sale(4, 1, {{"200", "Gadget"}}),
                              sale(5, 2, {{"200", "Other"}})})));
    IdList candidates = list(sales({1, 2, 3, 4, 5}));
    EXPECT_EQ(ids(run(candidates, {"Widget", "Gadget"})), sales({1, 4}));
    // One GoTo per candidate: the mode does not rescan the candidates per item.
    EXPECT_EQ(calls("Sales.GoTo"), 5u);
}

TEST_F(AllItemsTest, AnItemNoCandidateCarriesEmptiesTheCondition) {
    load(dataset(json::array({contact(1)}),
                 json::array({sale(1, 1, {{"200", "Widget"}}), sale(2, 1, {{"200", "Gadget"}})})));
    EXPECT_TRUE(run(list(sales({1, 2})), {"Widget", "Gadget", "Gizmo"}).empty());
}

TEST_F(AllItemsTest, EmptyItemCountsAsAnItem) {
    load(dataset(json::array({contact(1), contact(2)}),
                 json::array({sale(1, 1, {{"200", "Widget"}}), sale(2, 1),
                              sale(3, 2, {{"200", "Widget"}})})));
    EXPECT_EQ(ids(run(list(sales({1, 2, 3})), {"Widget", criteria::kEmptyItem})), sales({1, 2}));
}

TEST_F(AllItemsTest, ASaleWithNoContactCompletesNoContact) {
    // S2 carries the second item but belongs to no contact: it must neither complete a
    // contact nor be selected itself.
    load(dataset(
        json::array({contact(1)}),
        json::array({sale(1, 1, {{"200", "Widget"}}), sale(2, 1, {{"200", "Gadget"}, {"25", ""}}),
                     sale(3, 1, {{"200", "Gadget"}, {"25", "C01"}})})));
    EXPECT_TRUE(run(list(sales({1, 2, 3})), {"Widget", "Gadget"}).empty());
}

TEST_F(AllItemsTest, ReverseCountsRecordsThatDifferFromAnItem) {
    load(dataset(json::array({contact(1), contact(2)}),
                 json::array({sale(1, 1, {{"200", "Widget"}}), sale(2, 2, {{"200", "Widget"}}),
                              sale(3, 2, {{"200", "Gadget"}})})));
    // C1's only record equals "Widget", so it differs from "Gadget" alone; C2 differs from both.
    EXPECT_EQ(ids(run(list(sales({1, 2, 3})), {"Widget", "Gadget"}, true)), sales({2, 3}));
}

TEST_F(AllItemsTest, MoreThanTheOldLimitOfCandidates) {
    // 3,000 contacts: even ones carry both items, odd ones only the first; 6,000 candidates
    // and a shortest per-item contact list of 1,500 entries.
    json people = json::array();
    json records = json::array();
    int next = 1;
    for (int c = 1; c <= 3000; ++c) {
        people.push_back(contact(c));
        records.push_back(sale(next++, c, {{"200", "Widget"}}));
        records.push_back(sale(next++, c, {{"200", c % 2 == 0 ? "Gadget" : "Other"}}));
    }
    load(dataset(people, records));
    IdList candidates;
    std::vector<std::string> expected;
    for (int s = 1; s < next; ++s) {
        candidates.add(saleId(s));
        int owner = (s + 1) / 2;
        if (owner % 2 == 0) {
            expected.push_back(saleId(s));
        }
    }
    EXPECT_EQ(ids(run(candidates, {"Widget", "Gadget"})), expected);
    EXPECT_EQ(expected.size(), 3000u);
}

TEST(AllItemsMatch, DuplicateItemsAreEachCoveredByTheSameRecord) {
    AllItemsMatch match({"Widget", "Widget"}, false);
    match.addCandidate("S00000000001", "C00000000001", "Widget");
    EXPECT_EQ(match.result().size(), 1u);
}

}  // namespace
}  // namespace bp::filter::test
