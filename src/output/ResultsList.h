#pragma once
// The results of a report run: one list view row per matching sales record, with the columns
// of the staged definition, ordered by its first section.

#include <array>
#include <string>
#include <vector>

#include "act/Session.h"
#include "filter/IdList.h"
#include "forms/ListView.h"

namespace bp::output {

inline constexpr int kMaxColumns = 26;

class ResultsList {
public:
    ResultsList(act::Session& session, forms::ListView& lvwSales);

    // Builds the rows for the sales records (in result order) and sorts them. False when
    // nothing may be written: the user has been told why (no fields, an error).
    bool Fill_Listview(const std::vector<std::string>& salesIds);
    // The same for a run's selection as the filter hands it over, without a copy of its IDs.
    bool Fill_Listview(const filter::IdList& salesIds);

    // The columns' field IDs of the last fill, as the definition stores them.
    const std::vector<int>& columnIds() const { return storedIds_; }
    // 1-based position of each section's sort field among the columns, -1 when absent.
    const std::array<int, 3>& sortColumns() const { return sortCols_; }

    // 1000 + the contact field stored in the custom slot of a field ID (995 reads "FieldID1").
    int GetCustomField(int fieldId) const;

private:
    void readSortFields();
    bool readColumns();
    template <class Ids>
    bool fill(const Ids& salesIds);
    template <class Ids>
    void addRows(const Ids& salesIds);
    void saveSortColumns();
    void sortRows();

    act::Session& session_;
    forms::ListView& list_;
    std::array<int, 3> sortFields_{};
    std::array<int, 3> sortCols_{-1, -1, -1};
    std::vector<int> storedIds_;
    std::vector<int> columnIds_;
};

}  // namespace bp::output
