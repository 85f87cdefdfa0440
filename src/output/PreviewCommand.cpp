#include "output/PreviewCommand.h"

#include <algorithm>
#include <vector>

#include "definitions/DefinitionKeys.h"
#include "filter/LookupBuilder.h"
#include "filter/StageFailed.h"
#include "output/BusyPointer.h"
#include "output/DataFile.h"
#include "output/ResultsList.h"
#include "output/RunChecks.h"
#include "output/SessionKey.h"
#include "output/StoredValues.h"
#include "platform/AppInfo.h"
#include "platform/ErrorHandler.h"
#include "platform/Locale.h"

namespace bp::output {
namespace {

constexpr int kCompanyField = 25;
constexpr int kContactNameField = 26;

// The captions of the staged definition's columns, in their order.
std::vector<std::string> stagedCaptions(const act::Session& session) {
    return definitions::splitItems(
        session.settings->GetSetting(definitions::kStagingSection, "FieldNamesIncluded", ""));
}

// Puts back, whichever way the preview ends, what staging a definition and sorting the
// results write to the store.
class StoreKept {
public:
    explicit StoreKept(platform::SettingsStore& store)
        : kept_(
              store,
              std::vector<StoredValues::Key>{{std::string(platform::kSettingsSection), "DataFile"}},
              std::vector<std::string>{std::string(definitions::kStagingSection)}) {}
    ~StoreKept() { kept_.restore(); }
    StoreKept(const StoreKept&) = delete;
    StoreKept& operator=(const StoreKept&) = delete;

private:
    StoredValues kept_;
};

}  // namespace

PreviewCommand::PreviewCommand(act::Session& session, RunWindow& window)
    : session_(session), window_(window) {}

void PreviewCommand::cmdPreview_Click() {
    FrmPreview form(*session_.ui);
    bool filled = false;
    platform::guarded(*session_.ui, {"frmMain", "cmdPreview_Click", platform::RoutineKind::Sub},
                      [&] { filled = fill(form); });
    if (filled) {
        form.showModal();
    }
}

void PreviewCommand::tell(const std::string& text, forms::MsgIcon icon, const std::string& title) {
    session_.ui->message({title.empty() ? std::string(platform::kAppTitle) : title, text,
                          forms::MsgButtons::OK, icon});
}

bool PreviewCommand::fill(FrmPreview& form) {
    session_.sDecimalSep.set(SessionKey{}, platform::GetLocaleString(platform::kLocaleSDecimal));
    criteria::Criteria criteria = window_.currentCriteria();
    StoreKept store(*session_.settings);
    std::string reportName;
    if (criteria.reportOutput && !stageSelectedReport(session_, window_, reportName)) {
        return false;
    }
    filter::SalesFilter filter(session_, criteria);
    if (!conditionsComplete(filter, window_)) {
        return false;
    }
    BusyPointer busy(*session_.ui);
    try {
        core::ProgressScope progress(session_.progress, session_.ui->progressSink());
        return select(form, filter, criteria.reportOutput);
    } catch (const core::Cancelled&) {
        session_.ui->quietStop("the preview was cancelled");
    }
    return false;
}

bool PreviewCommand::select(FrmPreview& form, filter::SalesFilter& filter, bool report) {
    session_.progress.phase("Selecting");
    if (!filter.Sales_Filter_Dispatch()) {
        return false;
    }
    return report ? showReport(form, filter) : showLookup(form, filter);
}

bool PreviewCommand::showLookup(FrmPreview& form, filter::SalesFilter& filter) {
    filter::LookupBuilder builder(filter);
    switch (builder.selectContacts()) {
        case filter::LookupOutcome::Created:
            break;
        case filter::LookupOutcome::NothingFound:
            session_.ui->setBusy(false);
            tell("No records were found that match the specified criteria.",
                 forms::MsgIcon::Information);
            return false;
        case filter::LookupOutcome::Failed:
            return false;
    }
    std::vector<std::vector<std::string>> rows;
    filter::IdList held = builder.sContactIDs();
    std::size_t found = held.size();
    // The found contacts are read before the start-up lookup is loaded, which may not hold
    // them; the contacts it adds are read from it.
    showContacts(rows, held, 0, found);
    if (filter.iScope() == filter::kAllContactsAddToLookup) {
        try {
            builder.Add_Lookup(held);
        } catch (const filter::StageFailed&) {
            return false;  // the common error message was shown
        }
        showContacts(rows, held, found, held.size());
    }
    form.showRows({"Company", "Contact"}, rows);
    form.setTotal(held.size(), "contacts");
    return true;
}

void PreviewCommand::showContacts(std::vector<std::vector<std::string>>& rows,
                                  const filter::IdList& ids, std::size_t from, std::size_t to) {
    act::RecordTable& contacts = *session_.objContact;
    to = std::min<std::size_t>(to, FrmPreview::kShownRows);
    for (std::size_t i = from; i < to; ++i) {
        session_.progress.step();
        if (contacts.GoTo(std::string(ids[i]))) {
            rows.push_back({contacts.Data(kCompanyField), contacts.Data(kContactNameField)});
        } else {
            rows.push_back({"", ""});  // a contact gone from the host still counts
        }
    }
}

bool PreviewCommand::showReport(FrmPreview& form, filter::SalesFilter& filter) {
    if (filter.sSalesIDs().empty()) {
        session_.ui->setBusy(false);
        tell("There is no data to display or export!", forms::MsgIcon::Exclamation, "Empty Report");
        return false;
    }
    forms::ListView& work = form.lvwWork();
    ResultsList results(session_, work);
    session_.progress.phase("Sorting", filter.sSalesIDs().size());
    if (!results.Fill_Listview(filter.sSalesIDs())) {
        return false;
    }
    std::vector<std::string> captions = stagedCaptions(session_);
    int columns = dataColumns(session_, work, session_.bNameSortAdded());
    // The sort-name column a report's data file carries is not one of its columns.
    int definitionColumns =
        static_cast<int>(results.columnIds().size()) - (session_.bNameSortAdded() ? 1 : 0);
    columns = std::min(columns, definitionColumns);
    captions.resize(static_cast<std::size_t>(std::max(columns, 0)));
    int shown = std::min(columns < 0 ? 0 : work.rowCount(), FrmPreview::kShownRows);
    std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(shown));
    for (int r = 0; r < shown; ++r) {
        for (int c = 0; c < columns; ++c) {
            rows[static_cast<std::size_t>(r)].push_back(cellAsRead(work.cell(r, c)));
        }
    }
    form.showRows(captions, rows);
    form.setTotal(columns < 0 ? 0 : static_cast<std::uint64_t>(work.rowCount()), "rows");
    work.clearRows();
    return true;
}

}  // namespace bp::output
