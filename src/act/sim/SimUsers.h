#pragma once
// The users of the host database, at positions from 1.

#include <memory>
#include <string>
#include <vector>

#include "act/Tables.h"
#include "act/sim/SimState.h"

namespace bp::sim {

class SimUsers : public act::Users {
public:
    explicit SimUsers(std::shared_ptr<SimState> state);

    int Count() override;
    std::string UniqueID(int position) override;
    std::string Name(int position) override;

private:
    const UserEntry& at(int position);

    std::shared_ptr<SimState> state_;
    std::vector<UserEntry> users_;
    CallLog::MemberId count_, uniqueId_, name_;
};

}  // namespace bp::sim
