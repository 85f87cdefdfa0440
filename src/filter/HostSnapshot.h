#pragma once
// What a selection reads of the host, copied once: the user list, the current contact, the
// current and the start-up lookups, every contact's record manager and the sales fields the
// filter engine can test. A count runs the filter engine against such a copy off the
// user-interface thread, at no cost to the host; the copy is taken again only when the user
// asks for it or a run has changed the host.
//
// The copy is read in slices (readFor), so a large database never freezes the window while
// it is read. A host call that fails while it is read is kept and raised again when the
// filter engine makes the same call, so a count fails exactly where a run would.

#include <array>
#include <chrono>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "act/Session.h"
#include "filter/ChunkedVector.h"
#include "filter/IdList.h"
#include "filter/ValueColumn.h"

namespace bp::filter {

// A table's records in the host's order, with the fields kept of each.
class RecordColumns {
public:
    explicit RecordColumns(std::vector<int> fields = {});

    // Reads the kept fields of the table's current record.
    void addCurrent(act::RecordTable& table);
    void seal();
    // Indexes the IDs read, until done (true) or until `until`; the snapshot is searched, and
    // shared between threads, only once it is done.
    bool index(std::chrono::steady_clock::time_point until) const;

    std::size_t rows() const { return rows_; }
    std::optional<std::size_t> find(std::string_view id) const;
    // The field's text; "" for a field that is not kept, as for a field never filled.
    std::string_view value(std::size_t row, int field) const;

private:
    std::vector<int> fields_;
    std::vector<ValueColumn> columns_;
    IdList ids_;
    ChunkedVector<std::uint32_t> rowOfId_;  // per entry of ids_
    std::size_t rows_ = 0;
};

// A lookup as the contact table walks it, or the failure that loading it met.
struct SnapshotLookup {
    std::string path;
    RecordColumns contacts;
    std::exception_ptr failure;
};

struct HostSnapshot {
    // Sales fields the filter engine reads: ID, edit date, record manager, contact, status,
    // the condition fields and the creation date.
    static constexpr std::array<int, 14> kSalesFields{1,  3,  6,  25, 27,  30,  31,
                                                      32, 34, 35, 39, 200, 201, 202};
    static constexpr std::array<int, 2> kContactFields{1, 6};

    std::vector<std::string> userIds;  // the user at position p is userIds[p - 1]
    std::string currentContactId;
    std::exception_ptr currentContactFailure;
    SnapshotLookup currentLookup;
    SnapshotLookup startupLookup;
    RecordColumns contacts{std::vector<int>(kContactFields.begin(), kContactFields.end())};
    RecordColumns sales{std::vector<int>(kSalesFields.begin(), kSalesFields.end())};
    std::uint64_t hostCalls = 0;  // what reading it cost the host
};

// Reads a snapshot through the session's shared host objects, which it leaves as a run
// expects them: the contact table on all contacts. A run or preview between two slices
// moves the shared tables, so the caller starts a new reader after one.
class SnapshotReader {
public:
    explicit SnapshotReader(act::Session& session);
    ~SnapshotReader();
    SnapshotReader(const SnapshotReader&) = delete;
    SnapshotReader& operator=(const SnapshotReader&) = delete;

    // Reads for about `budget`; true once the snapshot is whole. A host failure outside the
    // lookups and the current contact raises bp::Error.
    bool readFor(std::chrono::microseconds budget);
    bool done() const;
    // The whole snapshot; only after done().
    std::shared_ptr<const HostSnapshot> snapshot() const;

private:
    struct Walk;
    void startStage();
    bool walkFor(std::chrono::steady_clock::time_point until);
    void finishStage();
    void removeMadeLookupFile();

    act::Session& session_;
    std::shared_ptr<HostSnapshot> snapshot_;
    int stage_ = 0;
    std::unique_ptr<Walk> walk_;
    std::uint64_t callsBefore_ = 0;
    std::string madeLookupFile_;
};

// Reads a whole snapshot at once (the batch run, tests, benchmarks).
std::shared_ptr<const HostSnapshot> readSnapshot(act::Session& session);

}  // namespace bp::filter
