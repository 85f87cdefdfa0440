#include "filter/SnapshotSession.h"

#include "platform/Error.h"

namespace bp::filter {

namespace {

[[noreturn]] void notKept(const char* member) {
    raise(kErrInternal, std::string("A count cannot call ") + member + ".");
}

// The walked records: all contacts, a loaded lookup, or the sales.
class SnapshotTable : public act::RecordTable {
public:
    SnapshotTable(const HostSnapshot& snapshot, const RecordColumns& all)
        : snapshot_(snapshot), all_(all), walked_(&all), current_(&all) {}

    bool GoTo(const std::string& uniqueId) override {
        current_ = &all_;
        row_ = all_.find(uniqueId);
        return row_.has_value();
    }
    std::string Data(int fieldNumber) override {
        return row_ ? std::string(current_->value(*row_, fieldNumber)) : std::string();
    }
    void MoveFirst() override {
        current_ = walked_;
        row_ = walked_->rows() > 0 ? std::optional<std::size_t>(0) : std::nullopt;
    }
    void MoveNext() override {
        bool more = row_ && current_ == walked_ && *row_ + 1 < walked_->rows();
        row_ = more ? std::optional<std::size_t>(*row_ + 1) : std::nullopt;
    }
    bool isEOF() override { return !row_; }
    std::shared_ptr<act::FieldDefs> Fields() override { notKept("Fields"); }
    void LoadLookupQuery(const std::string& path) override {
        const SnapshotLookup* lookup = nullptr;
        for (const SnapshotLookup* kept : {&snapshot_.currentLookup, &snapshot_.startupLookup}) {
            if (!path.empty() && kept->path == path) {
                lookup = kept;
            }
        }
        if (&all_ != &snapshot_.contacts || (!path.empty() && lookup == nullptr)) {
            notKept("LoadLookupQuery");
        }
        if (lookup != nullptr && lookup->failure) {
            std::rethrow_exception(lookup->failure);
        }
        walked_ = lookup != nullptr ? &lookup->contacts : &all_;
        row_.reset();
    }

private:
    const HostSnapshot& snapshot_;
    const RecordColumns& all_;
    const RecordColumns* walked_;
    const RecordColumns* current_;  // what row_ counts in: all_ after GoTo, else walked_
    std::optional<std::size_t> row_;
};

class SnapshotUsers : public act::Users {
public:
    explicit SnapshotUsers(const HostSnapshot& snapshot) : snapshot_(snapshot) {}
    int Count() override { return static_cast<int>(snapshot_.userIds.size()); }
    std::string UniqueID(int position) override {
        if (position < 1 || position > Count()) {
            raise(kErrSubscript, "Subscript out of range");
        }
        return snapshot_.userIds[static_cast<std::size_t>(position - 1)];
    }
    std::string Name(int) override { notKept("Users.Name"); }

private:
    const HostSnapshot& snapshot_;
};

class SnapshotContactView : public act::ContactView {
public:
    explicit SnapshotContactView(const HostSnapshot& snapshot) : snapshot_(snapshot) {}
    void CreateLookup(const std::string&) override { notKept("CreateLookup"); }
    void SetActiveTab(const std::string&) override { notKept("SetActiveTab"); }
    std::string GetCurrentId() override {
        if (snapshot_.currentContactFailure) {
            std::rethrow_exception(snapshot_.currentContactFailure);
        }
        return snapshot_.currentContactId;
    }

private:
    const HostSnapshot& snapshot_;
};

// Saving the current lookup names the file the snapshot read it from; any other file is
// unknown to the snapshot.
class SnapshotApp : public act::ActApp {
public:
    explicit SnapshotApp(const HostSnapshot& snapshot) : snapshot_(snapshot) {}
    void OpenFile(const std::string&) override { notKept("OpenFile"); }
    bool IsDBOpen() override { return true; }
    std::shared_ptr<act::Views> GetViews() override { notKept("GetViews"); }
    void SaveCurrentLookup(const std::string& path) override {
        if (path != snapshot_.currentLookup.path) {
            notKept("SaveCurrentLookup");
        }
    }
    void Command(int) override { notKept("Command"); }

private:
    const HostSnapshot& snapshot_;
};

}  // namespace

SnapshotSession::SnapshotSession(std::shared_ptr<const HostSnapshot> snapshot,
                                 std::string programFolder, forms::UiService& ui)
    : snapshot_(std::move(snapshot)) {
    const HostSnapshot& s = *snapshot_;
    session_.ui = &ui;
    session_.programFolder = std::move(programFolder);
    session_.objActApp = std::make_shared<SnapshotApp>(s);
    session_.objContactView = std::make_shared<SnapshotContactView>(s);
    session_.objUsers = std::make_shared<SnapshotUsers>(s);
    session_.objContact = std::make_shared<SnapshotTable>(s, s.contacts);
    session_.objSales = std::make_shared<SnapshotTable>(s, s.sales);
}

}  // namespace bp::filter
