#pragma once
// The drop-down value list of one field, as PopupInfo hands it out.

#include <memory>
#include <string>
#include <vector>

#include "act/Tables.h"
#include "act/sim/SimState.h"

namespace bp::sim {

class SimDropDownList : public act::DropDownList {
public:
    SimDropDownList(std::shared_ptr<SimState> state, std::vector<std::string> values);

    int PopupCount() override;
    std::string Value(int index) override;

private:
    std::shared_ptr<SimState> state_;
    std::vector<std::string> values_;
    CallLog::MemberId popupCount_, value_;
};

}  // namespace bp::sim
