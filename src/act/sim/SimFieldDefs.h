#pragma once
// Field definitions of a host table: numbers, labels and type numbers, and the drop-down
// lists (the sales stages of sales field 39).

#include <memory>
#include <string>
#include <vector>

#include "act/Tables.h"
#include "act/sim/SimState.h"

namespace bp::sim {

class SimFieldDefs : public act::FieldDefs {
public:
    static constexpr int kStageField = 39;

    SimFieldDefs(std::shared_ptr<SimState> state, TableKind kind);

    int Type(int fieldNumber) override;
    int Count() override;
    int ID(int index) override;
    std::string Label(int fieldNumber) override;
    int FieldID(const std::string& label) override;
    std::shared_ptr<act::DropDownList> PopupInfo(int fieldNumber, int kind) override;

private:
    const FieldDef* find(int fieldNumber) const;

    std::shared_ptr<SimState> state_;
    TableKind kind_;
    std::vector<FieldDef> defs_;
    CallLog::MemberId type_, count_, id_, label_, fieldId_, popupInfo_;
};

}  // namespace bp::sim
