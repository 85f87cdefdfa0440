#pragma once
// The drop-down lists of products (scope 1), types (2) and competitors (3).

#include <memory>
#include <string>
#include <vector>

#include "act/Tables.h"
#include "act/sim/SimState.h"

namespace bp::sim {

class SimListTable : public act::ListTable {
public:
    static constexpr int kEntryField = 26;

    explicit SimListTable(std::shared_ptr<SimState> state);

    void SetScope(int kind) override;
    int RecordCount() override;
    std::string Data(int fieldNumber) override;
    void MoveNext() override;

private:
    std::shared_ptr<SimState> state_;
    std::vector<std::string> entries_;
    std::size_t position_ = 0;
    CallLog::MemberId setScope_, recordCount_, data_, moveNext_;
};

}  // namespace bp::sim
