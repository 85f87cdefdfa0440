#pragma once
// The host's contact view: its current contact and its lookup, both kept in the host
// database so the host tool and other processes see them.

#include <memory>
#include <string>

#include "act/Application.h"
#include "act/sim/SimState.h"

namespace bp::sim {

class SimContactView : public act::ContactView {
public:
    explicit SimContactView(std::shared_ptr<SimState> state);

    void CreateLookup(const std::string& packedIds) override;
    void SetActiveTab(const std::string& tabName) override;
    std::string GetCurrentId() override;

private:
    std::shared_ptr<SimState> state_;
    CallLog::MemberId createLookup_, setActiveTab_, getCurrentId_;
};

}  // namespace bp::sim
