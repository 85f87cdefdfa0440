#pragma once
// A contact view of the host reached by automation.

#include "act/Application.h"
#include "act/automation/HostObject.h"

namespace bp::automation {

class ContactViewObject : public act::ContactView {
public:
    ContactViewObject(ComPtr<IDispatch> object, std::shared_ptr<AdapterContext> context);

    void CreateLookup(const std::string& packedIds) override;
    void SetActiveTab(const std::string& tabName) override;
    std::string GetCurrentId() override;

private:
    HostObject host_;
};

}  // namespace bp::automation
