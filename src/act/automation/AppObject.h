#pragma once
// The host application ("ACTOLE.APPOBJECT") reached by automation.

#include "act/Application.h"
#include "act/automation/HostObject.h"

namespace bp::automation {

class AppObject : public act::ActApp {
public:
    AppObject(ComPtr<IDispatch> object, std::shared_ptr<AdapterContext> context);

    void OpenFile(const std::string& path) override;
    bool IsDBOpen() override;
    std::shared_ptr<act::Views> GetViews() override;
    void SaveCurrentLookup(const std::string& path) override;
    void Command(int commandNumber) override;

private:
    HostObject host_;
};

}  // namespace bp::automation
