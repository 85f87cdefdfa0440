#pragma once
// The drop-down value list of a host field reached by automation.

#include "act/Tables.h"
#include "act/automation/HostObject.h"

namespace bp::automation {

class DropDownListObject : public act::DropDownList {
public:
    DropDownListObject(ComPtr<IDispatch> object, std::shared_ptr<AdapterContext> context);

    int PopupCount() override;
    std::string Value(int index) override;

private:
    HostObject host_;
};

}  // namespace bp::automation
