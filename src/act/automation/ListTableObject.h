#pragma once
// The host's list table (products, types, competitors) reached by automation.

#include "act/Tables.h"
#include "act/automation/HostObject.h"

namespace bp::automation {

class ListTableObject : public act::ListTable {
public:
    ListTableObject(ComPtr<IDispatch> object, std::shared_ptr<AdapterContext> context);

    void SetScope(int kind) override;
    int RecordCount() override;
    std::string Data(int fieldNumber) override;
    void MoveNext() override;

private:
    HostObject host_;
};

}  // namespace bp::automation
