#pragma once
// The host's views collection reached by automation.

#include "act/Application.h"
#include "act/automation/HostObject.h"

namespace bp::automation {

class ViewsObject : public act::Views {
public:
    ViewsObject(ComPtr<IDispatch> object, std::shared_ptr<AdapterContext> context);

    std::shared_ptr<act::ContactView> Create(int kind, const std::string& name) override;

private:
    HostObject host_;
};

}  // namespace bp::automation
