#pragma once
// The host's users reached by automation.

#include "act/Tables.h"
#include "act/automation/HostObject.h"

namespace bp::automation {

class UsersObject : public act::Users {
public:
    UsersObject(ComPtr<IDispatch> object, std::shared_ptr<AdapterContext> context);

    int Count() override;
    std::string UniqueID(int position) override;
    std::string Name(int position) override;

private:
    HostObject host_;
};

}  // namespace bp::automation
