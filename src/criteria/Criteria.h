#pragma once
// What the user chose on the main window's criteria panel, read from its controls when the run
// starts. The filter engine works from this snapshot alone, so it runs and is tested without
// a window; the criteria panel fills it (CriteriaPanel::criteria()).

#include <array>
#include <string>
#include <vector>

#include "core/DateTime.h"

namespace bp::criteria {

// Positions of the condition field combos' entries.
enum ConditionField : int {
    kProducts = 0,
    kTypes = 1,
    kCompetitors = 2,
    kSalesStages = 3,
    kForecastedCloseDates = 4,
    kProbabilities = 5,
    kUnits = 6,
    kAmounts = 7,
    kEditDate = 8,
};

inline constexpr const char* kEmptyItem = "<<Empty>>";

struct ConditionCriteria {
    bool applied = false;  // chkCondition(i) ticked
    int field = -1;        // cboCondition(i).ListIndex; -1 when no field is chosen
    // Texts of the selected entries of lstCriteria(i), in list order, as shown ("<<Empty>>"
    // included as such).
    std::vector<std::string> selectedItems;
    bool atLeastOne = true;  // optOr(i) set: at-least-one mode; clear: all-items mode
    std::string minText;     // txtValueMin(i).Text
    std::string maxText;     // txtValueMax(i).Text
    DateTime start;          // dtpStart(i).Value
    DateTime end;            // dtpEnd(i).Value

    bool operator==(const ConditionCriteria&) const = default;
};

struct Criteria {
    bool reportOutput = false;                                // optChoice(1) set; else a lookup
    std::array<bool, 3> optLookup{true, false, false};        // Replace, Add to, Narrow
    std::array<bool, 3> optReport{false, true, false};        // Current contact, lookup, all
    std::array<bool, 2> optManagedby{true, false};            // All users, Selected user
    std::array<bool, 2> optSalesManagedBy{true, false};       // All users, Selected user
    std::array<bool, 2> optDate{true, false};                 // All dates, Selected dates
    std::array<bool, 4> chkSales{true, false, false, false};  // Open, Won, Lost, No sales
    std::array<ConditionCriteria, 2> conditions;
    bool reverseSecond = false;  // chkReverse ticked
    // ItemData (1-based positions in the host's user list) of the selected entries of
    // lstUsers and lstSalesUsers, in list order.
    std::vector<int> selectedContactManagers;
    std::vector<int> selectedSalesManagers;
    DateTime createdFrom;  // dtpStartDate
    DateTime createdTo;    // dtpEndDate

    bool operator==(const Criteria&) const = default;
};

}  // namespace bp::criteria
