#include "filter/HostSnapshot.h"

#include <numeric>

#include "filter/LookupFiles.h"
#include "filter/SessionKey.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"

namespace bp::filter {

namespace {

// Records read between two looks at the clock.
constexpr int kRecordsPerLook = 64;

enum Stage : int {
    kReadUsers,
    kReadCurrentContact,
    kReadCurrentLookup,
    kReadStartupLookup,
    kReadContacts,
    kReadSales,
    kReadIndex,
    kReadDone
};
// IDs indexed between two looks at the clock.
constexpr std::size_t kIdsPerLook = 8192;

std::uint64_t hostCallsSoFar(const act::Session& session) {
    if (session.host == nullptr) {
        return 0;
    }
    auto counts = session.host->callCounts();
    return std::accumulate(counts.begin(), counts.end(), std::uint64_t{0},
                           [](std::uint64_t sum, const auto& entry) { return sum + entry.second; });
}

}  // namespace

RecordColumns::RecordColumns(std::vector<int> fields)
    : fields_(std::move(fields)), columns_(fields_.size()) {}

void RecordColumns::addCurrent(act::RecordTable& table) {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        std::string text = table.Data(fields_[i]);
        // The IDs are indexed once the whole table is read (index()): an index grown as the
        // records arrive would hold the window up each time it doubled.
        if (fields_[i] == 1 && IdList::isId(text)) {
            ids_.appendDistinct(text);
            rowOfId_.push_back(static_cast<std::uint32_t>(rows_));
        }
        columns_[i].push(text);
    }
    ++rows_;
}

void RecordColumns::seal() {
    for (ValueColumn& column : columns_) {
        column.seal();
    }
}

bool RecordColumns::index(std::chrono::steady_clock::time_point until) const {
    while (!ids_.indexSome(kIdsPerLook)) {
        if (std::chrono::steady_clock::now() >= until) {
            return false;
        }
    }
    return true;
}

std::optional<std::size_t> RecordColumns::find(std::string_view id) const {
    std::size_t at = ids_.indexOf(id);
    if (at == IdList::npos) {
        return std::nullopt;
    }
    return rowOfId_[at];
}

std::string_view RecordColumns::value(std::size_t row, int field) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i] == field) {
            return columns_[i].at(row);
        }
    }
    return {};
}

// The walk of one table in progress: the table, the columns it fills, and the lookup whose
// failure ends it quietly.
struct SnapshotReader::Walk {
    act::RecordTable* table = nullptr;
    RecordColumns* columns = nullptr;
    SnapshotLookup* lookup = nullptr;
};

SnapshotReader::SnapshotReader(act::Session& session)
    : session_(session),
      snapshot_(std::make_shared<HostSnapshot>()),
      callsBefore_(hostCallsSoFar(session)) {}

SnapshotReader::~SnapshotReader() {
    removeMadeLookupFile();
}

bool SnapshotReader::done() const {
    return stage_ == kReadDone;
}

std::shared_ptr<const HostSnapshot> SnapshotReader::snapshot() const {
    return done() ? snapshot_ : nullptr;
}

bool SnapshotReader::readFor(std::chrono::microseconds budget) {
    auto until = std::chrono::steady_clock::now() + budget;
    while (stage_ != kReadDone) {
        if (!walk_) {
            startStage();
        }
        if (walk_ && !walkFor(until)) {
            return false;
        }
        if (stage_ == kReadIndex &&
            !(snapshot_->contacts.index(until) && snapshot_->sales.index(until))) {
            return false;
        }
        finishStage();
        if (std::chrono::steady_clock::now() >= until) {
            break;
        }
    }
    return done();
}

void SnapshotReader::startStage() {
    HostSnapshot& s = *snapshot_;
    act::RecordTable& contacts = *session_.objContact;
    switch (stage_) {
        case kReadUsers: {
            int count = session_.objUsers->Count();
            for (int position = 1; position <= count; ++position) {
                s.userIds.push_back(session_.objUsers->UniqueID(position));
            }
            return;
        }
        case kReadCurrentContact:
            try {
                s.currentContactId = session_.objContactView->GetCurrentId();
            } catch (const std::exception&) {
                s.currentContactFailure = std::current_exception();
            }
            return;
        case kReadCurrentLookup:
        case kReadStartupLookup: {
            bool current = stage_ == kReadCurrentLookup;
            SnapshotLookup& lookup = current ? s.currentLookup : s.startupLookup;
            lookup.path = platform::joinPath(session_.programFolder,
                                             current ? kCurrentLookupFile : kStartupLookupFile);
            lookup.contacts = RecordColumns(std::vector<int>(HostSnapshot::kContactFields.begin(),
                                                             HostSnapshot::kContactFields.end()));
            try {
                if (current) {
                    if (!platform::fileExists(lookup.path)) {
                        madeLookupFile_ = lookup.path;
                    }
                    session_.objActApp->SaveCurrentLookup(lookup.path);
                }
                contacts.LoadLookupQuery(lookup.path);
                session_.bContactLookupLoaded.set(SessionKey{}, true);
                contacts.MoveFirst();
            } catch (const std::exception&) {
                lookup.failure = std::current_exception();
                return;
            }
            walk_ = std::make_unique<Walk>(Walk{&contacts, &lookup.contacts, &lookup});
            return;
        }
        case kReadContacts:
            contacts.LoadLookupQuery("");
            session_.bContactLookupLoaded.set(SessionKey{}, false);
            removeMadeLookupFile();
            contacts.MoveFirst();
            walk_ = std::make_unique<Walk>(Walk{&contacts, &s.contacts, nullptr});
            return;
        case kReadSales:
            session_.objSales->MoveFirst();
            walk_ = std::make_unique<Walk>(Walk{session_.objSales.get(), &s.sales, nullptr});
            return;
        default:
            return;
    }
}

// The current lookup's file is only the way to read it: a count leaves no file behind.
void SnapshotReader::removeMadeLookupFile() {
    if (madeLookupFile_.empty()) {
        return;
    }
    try {
        platform::deleteFile(madeLookupFile_);
    } catch (const std::exception&) {
        // Left where a run puts the same file anyway.
    }
    madeLookupFile_.clear();
}

// False when the time ran out before the table's end.
bool SnapshotReader::walkFor(std::chrono::steady_clock::time_point until) {
    Walk& walk = *walk_;
    try {
        for (;;) {
            for (int n = 0; n < kRecordsPerLook; ++n) {
                if (walk.table->isEOF()) {
                    return true;
                }
                walk.columns->addCurrent(*walk.table);
                walk.table->MoveNext();
            }
            if (std::chrono::steady_clock::now() >= until) {
                return false;
            }
        }
    } catch (const std::exception&) {
        if (walk.lookup == nullptr) {
            throw;
        }
        walk.lookup->failure = std::current_exception();
        return true;
    }
}

void SnapshotReader::finishStage() {
    if (walk_) {
        walk_->columns->seal();
        walk_.reset();
    }
    ++stage_;
    if (stage_ == kReadDone) {
        snapshot_->hostCalls = hostCallsSoFar(session_) - callsBefore_;
    }
}

std::shared_ptr<const HostSnapshot> readSnapshot(act::Session& session) {
    SnapshotReader reader(session);
    while (!reader.readFor(std::chrono::hours(1))) {
    }
    return reader.snapshot();
}

}  // namespace bp::filter
