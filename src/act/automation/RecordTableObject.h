#pragma once
// A record table of the host (contacts, sales or groups) reached by automation.

#include "act/Tables.h"
#include "act/automation/HostObject.h"

namespace bp::automation {

class RecordTableObject : public act::RecordTable {
public:
    // `tableName` ("Sales") names the table's counts ("Sales.Data") and its fields' counts
    // ("SalesFields.Label").
    RecordTableObject(ComPtr<IDispatch> object, const std::string& tableName,
                      std::shared_ptr<AdapterContext> context);

    bool GoTo(const std::string& uniqueId) override;
    std::string Data(int fieldNumber) override;
    void MoveFirst() override;
    void MoveNext() override;
    bool isEOF() override;
    std::shared_ptr<act::FieldDefs> Fields() override;
    void LoadLookupQuery(const std::string& path) override;

private:
    HostObject host_;
    std::string tableName_;
};

}  // namespace bp::automation
