#pragma once
// The contact, sales and group tables of the embedded host: a current record positioned by
// unique ID or walked in the host's order; the contact table can be restricted to a lookup.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "act/Tables.h"
#include "act/sim/DecodedRecord.h"
#include "act/sim/SimState.h"

namespace bp::sim {

class SimRecordTable : public act::RecordTable {
public:
    SimRecordTable(std::shared_ptr<SimState> state, TableKind kind);

    bool GoTo(const std::string& uniqueId) override;
    std::string Data(int fieldNumber) override;
    void MoveFirst() override;
    void MoveNext() override;
    bool isEOF() override;
    std::shared_ptr<act::FieldDefs> Fields() override;
    void LoadLookupQuery(const std::string& path) override;

private:
    const RecordSet& records();
    std::size_t walkSize();
    std::uint32_t recordAt(std::size_t position);
    void settle();  // current record from the walk position
    std::uint32_t nextOrFind(const std::string& uniqueId);

    std::shared_ptr<SimState> state_;
    TableKind kind_;
    const RecordSet* records_ = nullptr;
    // The lookup the walk is restricted to, as record numbers in the host's order.
    std::optional<std::vector<std::uint32_t>> view_;
    std::vector<std::uint32_t> viewPosition_;  // record number -> position in view_
    std::size_t position_ = 0;
    std::uint32_t current_ = RecordSet::kNone;
    std::uint32_t lookAhead_ = 0;  // records GoTo compares before it asks the index
    DecodedRecord decoded_;        // the current record's fields read so far
    CallLog::MemberId goTo_, data_, moveFirst_, moveNext_, isEof_, fields_, loadLookup_;
};

}  // namespace bp::sim
