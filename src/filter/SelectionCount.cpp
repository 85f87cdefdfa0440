#include "filter/SelectionCount.h"

#include "core/Progress.h"
#include "filter/LookupBuilder.h"
#include "filter/SalesFilter.h"
#include "filter/SnapshotSession.h"
#include "filter/StageFailed.h"

namespace bp::filter {

namespace {

// Keeps the first message the filter engine gives; a count has no window to show it in.
class HeldMessages : public forms::UiService {
public:
    forms::MsgResult message(const forms::MessageRequest& request) override {
        if (!first_) {
            first_ = request;
        }
        return forms::MsgResult::OK;
    }
    void showModal(forms::Form&) override {}
    std::optional<std::string> saveFile(const forms::SaveFileRequest&) override { return {}; }
    std::optional<forms::FontChoice> chooseFont(const forms::FontChoice&) override { return {}; }
    std::optional<std::uint32_t> chooseColor(std::uint32_t) override { return {}; }
    std::optional<std::string> browseFolder(const std::string&, const std::string&) override {
        return {};
    }
    void beep() override {}
    void setBusy(bool) override {}

    void tell(SelectionCount& count) const {
        if (first_) {
            count.title = first_->title;
            count.message = first_->text;
        }
    }

private:
    std::optional<forms::MessageRequest> first_;
};

// Turns the caller's question into the progress sink's, so the filter engine's own looks at
// its progress end a count that is no longer wanted.
class CancelSink : public core::ProgressSink {
public:
    explicit CancelSink(const std::function<bool()>& cancelled) : cancelled_(cancelled) {}
    core::ProgressTiming timing() const override { return {std::chrono::hours(24), {}}; }
    void show(const std::string&, double) override {}
    bool cancelRequested() override { return cancelled_ && cancelled_(); }

private:
    const std::function<bool()>& cancelled_;
};

SelectionCount stopped(SelectionCount::Outcome outcome, const HeldMessages& messages) {
    SelectionCount count;
    count.outcome = outcome;
    messages.tell(count);
    return count;
}

void countLookup(SelectionCount& count, SalesFilter& filter) {
    LookupBuilder builder(filter);
    count.opportunities = filter.sSalesIDs().size();
    if (builder.selectContacts() != LookupOutcome::Created) {
        return;  // a failure was raised as StageFailed and shown; nothing found counts 0
    }
    IdList held = builder.sContactIDs();
    if (filter.iScope() == kAllContactsAddToLookup) {
        builder.Add_Lookup(held);
    }
    count.contacts = held.size();
}

void countRows(SelectionCount& count, SalesFilter& filter) {
    LookupBuilder builder(filter);
    count.opportunities = filter.sSalesIDs().size();
    count.contacts = builder.Convert(filter.sSalesIDs()).size();
}

}  // namespace

SelectionCount countSelection(std::shared_ptr<const HostSnapshot> snapshot,
                              const std::string& programFolder,
                              const criteria::Criteria& criteria,
                              const std::function<bool()>& cancelled) {
    HeldMessages messages;
    SnapshotSession snapshotSession(std::move(snapshot), programFolder, messages);
    act::Session& session = snapshotSession.session();
    CancelSink sink(cancelled);
    core::ProgressScope progress(session.progress, &sink);
    try {
        SalesFilter filter(session, criteria);
        if (filter.Check_Conditions() != 0) {
            return stopped(SelectionCount::Outcome::Incomplete, messages);
        }
        if (!filter.Sales_Filter_Dispatch()) {
            return stopped(SelectionCount::Outcome::Failed, messages);
        }
        session.progress.look();
        SelectionCount count;
        if (criteria.reportOutput) {
            countRows(count, filter);
        } else {
            countLookup(count, filter);
        }
        return count;
    } catch (const core::Cancelled&) {
        return stopped(SelectionCount::Outcome::Cancelled, messages);
    } catch (const StageFailed&) {
        return stopped(SelectionCount::Outcome::Failed, messages);
    }
}

}  // namespace bp::filter
