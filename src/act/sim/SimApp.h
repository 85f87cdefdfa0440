#pragma once
// The running host application of the embedded host.

#include <memory>
#include <string>

#include "act/Application.h"
#include "act/sim/SimState.h"

namespace bp::sim {

class SimApp : public act::ActApp {
public:
    static constexpr int kCloseCommand = 150;

    explicit SimApp(std::shared_ptr<SimState> state);

    void OpenFile(const std::string& path) override;
    bool IsDBOpen() override;
    std::shared_ptr<act::Views> GetViews() override;
    void SaveCurrentLookup(const std::string& path) override;
    void Command(int commandNumber) override;

private:
    std::shared_ptr<SimState> state_;
    CallLog::MemberId openFile_, isDbOpen_, views_, saveLookup_, command_;
};

}  // namespace bp::sim
