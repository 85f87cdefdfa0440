#pragma once
// The host's views collection; kind 1 is the contact view.

#include <memory>
#include <string>

#include "act/Application.h"
#include "act/sim/SimState.h"

namespace bp::sim {

class SimViews : public act::Views {
public:
    static constexpr int kContactView = 1;

    explicit SimViews(std::shared_ptr<SimState> state);
    std::shared_ptr<act::ContactView> Create(int kind, const std::string& name) override;

private:
    std::shared_ptr<SimState> state_;
    CallLog::MemberId create_;
};

}  // namespace bp::sim
