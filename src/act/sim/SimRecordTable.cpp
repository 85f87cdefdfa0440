#include "act/sim/SimRecordTable.h"

#include <algorithm>
#include <unordered_set>

#include "act/sim/HostErrors.h"
#include "act/sim/LookupFile.h"
#include "act/sim/SimFieldDefs.h"
#include "platform/Error.h"

namespace bp::sim {

namespace {

constexpr std::uint32_t kLookAhead = 8;

std::string prefix(TableKind kind) {
    switch (kind) {
        case TableKind::Contact:
            return "Contact.";
        case TableKind::Sales:
            return "Sales.";
        case TableKind::Group:
            return "Group.";
    }
    return "Contact.";
}

}  // namespace

SimRecordTable::SimRecordTable(std::shared_ptr<SimState> state, TableKind kind)
    : state_(std::move(state)), kind_(kind) {
    CallLog& log = state_->log();
    std::string p = prefix(kind);
    goTo_ = log.member(p + "GoTo");
    data_ = log.member(p + "Data");
    moveFirst_ = log.member(p + "MoveFirst");
    moveNext_ = log.member(p + "MoveNext");
    isEof_ = log.member(p + "isEOF");
    fields_ = log.member(p + "Fields");
    loadLookup_ = log.member(p + "LoadLookupQuery");
}

const RecordSet& SimRecordTable::records() {
    state_->requireOpen();
    if (!records_) {
        records_ = &state_->records(kind_);
        settle();
    }
    return *records_;
}

std::size_t SimRecordTable::walkSize() {
    return view_ ? view_->size() : records().size();
}

std::uint32_t SimRecordTable::recordAt(std::size_t position) {
    if (position >= walkSize()) {
        return RecordSet::kNone;
    }
    return view_ ? (*view_)[position] : static_cast<std::uint32_t>(position);
}

void SimRecordTable::settle() {
    current_ = recordAt(position_);
}

bool SimRecordTable::GoTo(const std::string& uniqueId) {
    state_->log().call(goTo_);
    current_ = nextOrFind(uniqueId);
    // The walk continues after the record found; an unknown ID ends the walk, so neither
    // Data nor MoveNext can yield some other record's values.
    if (current_ == RecordSet::kNone) {
        position_ = walkSize();
    } else if (view_) {
        std::uint32_t at = viewPosition_[current_];
        position_ = at == RecordSet::kNone ? walkSize() : at;
    } else {
        position_ = current_;
    }
    return current_ != RecordSet::kNone;
}

std::string SimRecordTable::Data(int fieldNumber) {
    state_->log().call(data_);
    const RecordSet& set = records();
    if (current_ == RecordSet::kNone) {
        return {};
    }
    return std::string(decoded_.field(set, current_, fieldNumber));
}

std::uint32_t SimRecordTable::nextOrFind(const std::string& uniqueId) {
    // Lists taken from a walk come back in the host's order, so a GoTo mostly asks for a
    // record a little after the current one. Comparing the IDs of the next few records reads
    // memory next to the record just used, where the hash index reads anywhere in a large
    // table. While look-aheads keep failing (GoTo in some other order) the window shrinks to
    // the next record alone, and it opens again at the next hit.
    const RecordSet& set = records();
    if (uniqueId.empty()) {
        return RecordSet::kNone;  // a record without an ID is never found by one
    }
    // Consecutive sales records mostly belong to one contact: asked for again, the current
    // record answers. With no record current (a walk has ended) the table's first records
    // are the next ones.
    if (current_ != RecordSet::kNone && set.id(current_) == uniqueId) {
        return current_;
    }
    const std::size_t first = current_ == RecordSet::kNone ? 0 : std::size_t{current_} + 1;
    const std::size_t end =
        std::min<std::size_t>(first + std::max<std::uint32_t>(lookAhead_, 1), set.size());
    for (std::size_t next = first; next < end; ++next) {
        const auto record = static_cast<std::uint32_t>(next);
        if (set.id(record) == uniqueId) {
            lookAhead_ = kLookAhead;
            return record;
        }
    }
    lookAhead_ /= 2;
    return set.find(uniqueId);
}

void SimRecordTable::MoveFirst() {
    state_->log().call(moveFirst_);
    records();
    position_ = 0;
    settle();
}

void SimRecordTable::MoveNext() {
    state_->log().call(moveNext_);
    if (position_ < walkSize()) {
        ++position_;
    }
    settle();
}

bool SimRecordTable::isEOF() {
    state_->log().call(isEof_);
    return position_ >= walkSize();
}

std::shared_ptr<act::FieldDefs> SimRecordTable::Fields() {
    state_->log().call(fields_);
    state_->requireOpen();
    return std::make_shared<SimFieldDefs>(state_, kind_);
}

void SimRecordTable::LoadLookupQuery(const std::string& path) {
    state_->log().call(loadLookup_);
    if (kind_ != TableKind::Contact) {
        raise(kErrHostInvalidArgument, "Only the contact table takes a lookup.");
    }
    const RecordSet& set = records();
    // No file: the whole table again, as before any lookup was loaded.
    if (path.empty()) {
        view_.reset();
        viewPosition_.clear();
        position_ = 0;
        settle();
        return;
    }
    std::vector<std::string> ids = LookupFile::read(path);
    std::vector<std::uint32_t> found;
    found.reserve(ids.size());
    for (const auto& id : ids) {
        std::uint32_t record = set.find(id);
        if (record != RecordSet::kNone) {
            found.push_back(record);
        }
    }
    // The host walks a lookup in its own order, each contact once.
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    viewPosition_.assign(set.size(), RecordSet::kNone);
    for (std::size_t i = 0; i < found.size(); ++i) {
        viewPosition_[found[i]] = static_cast<std::uint32_t>(i);
    }
    view_ = std::move(found);
    position_ = 0;
    settle();
}

}  // namespace bp::sim
