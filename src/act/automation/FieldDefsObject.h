#pragma once
// The field definitions of a host table reached by automation.

#include "act/Tables.h"
#include "act/automation/HostObject.h"

namespace bp::automation {

class FieldDefsObject : public act::FieldDefs {
public:
    // `countName` ("SalesFields") names the counts of this object's members.
    FieldDefsObject(ComPtr<IDispatch> object, const std::string& countName,
                    std::shared_ptr<AdapterContext> context);

    int Type(int fieldNumber) override;
    int Count() override;
    int ID(int index) override;
    std::string Label(int fieldNumber) override;
    int FieldID(const std::string& label) override;
    std::shared_ptr<act::DropDownList> PopupInfo(int fieldNumber, int kind) override;

private:
    HostObject host_;
};

}  // namespace bp::automation
