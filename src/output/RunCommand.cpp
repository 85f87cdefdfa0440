#include "output/RunCommand.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "definitions/DefinitionFile.h"
#include "filter/LookupBuilder.h"
#include "output/BusyPointer.h"
#include "output/DataFile.h"
#include "output/KeptFile.h"
#include "output/ResultsList.h"
#include "output/RunChecks.h"
#include "output/SessionKey.h"
#include "output/StoredValues.h"
#include "platform/AppInfo.h"
#include "platform/ErrorHandler.h"
#include "platform/FileSystem.h"
#include "platform/Launcher.h"
#include "platform/Locale.h"
#include "platform/PathText.h"

namespace bp::output {
RunCommand::RunCommand(act::Session& session, RunWindow& window)
    : session_(session), window_(window) {}

RunOutcome RunCommand::cmdOK_Click() {
    RunOutcome outcome = RunOutcome::Stopped;
    platform::guarded(*session_.ui, {"frmMain", "cmdOK_Click", platform::RoutineKind::Sub},
                      [&] { outcome = run(); });
    return outcome;
}

void RunCommand::tell(const std::string& text, forms::MsgIcon icon, const std::string& title) {
    session_.ui->message({title.empty() ? std::string(platform::kAppTitle) : title, text,
                          forms::MsgButtons::OK, icon});
}

RunOutcome RunCommand::run() {
    // Read at every run, so a change of regional settings between runs takes effect.
    session_.sDecimalSep.set(SessionKey{}, platform::GetLocaleString(platform::kLocaleSDecimal));
    criteria::Criteria criteria = window_.currentCriteria();
    std::string reportName;
    // A cancelled report run leaves the store as it found it: the staged definition, the
    // template and the data file it names for the builder.
    std::optional<StoredValues> handedOn;
    if (criteria.reportOutput) {
        handedOn.emplace(
            *session_.settings,
            std::vector<StoredValues::Key>{{std::string(platform::kSettingsSection), "DataFile"}},
            std::vector<std::string>{"Report"});
    }
    if (criteria.reportOutput && !stageSelectedReport(session_, window_, reportName)) {
        return RunOutcome::Stopped;
    }

    filter::SalesFilter filter(session_, criteria);
    if (!conditionsComplete(filter, window_)) {
        return RunOutcome::Stopped;
    }
    BusyPointer busy(*session_.ui);
    RunOutcome outcome = RunOutcome::Cancelled;
    try {
        core::ProgressScope progress(session_.progress, session_.ui->progressSink());
        outcome = produce(filter, criteria, reportName);
    } catch (const core::Cancelled&) {
        // Output is only ever made whole (the data file by renaming a finished temporary,
        // the lookup after the last look for a cancel, the workbook by a builder that
        // removes its own on a cancel), so a cancel leaves nothing behind but the rows read
        // so far.
        window_.resultsList().clearRows();
        if (handedOn) {
            handedOn->restore();
        }
        session_.ui->quietStop("the run was cancelled; nothing was written");
    }
    busy.release();
    if (outcome == RunOutcome::Completed) {
        window_.closeAfterRun();
    }
    return outcome;
}

RunOutcome RunCommand::produce(filter::SalesFilter& filter, const criteria::Criteria& criteria,
                               const std::string& reportName) {
    session_.progress.phase("Selecting");
    // A failed stage has shown its message; nothing is built from a partial result.
    if (!filter.Sales_Filter_Dispatch()) {
        return RunOutcome::Stopped;
    }
    return criteria.reportOutput ? reportOutput(filter, reportName) : lookupOutput(filter);
}

RunOutcome RunCommand::lookupOutput(filter::SalesFilter& filter) {
    filter::LookupBuilder builder(filter);
    session_.progress.phase("Writing");
    switch (builder.makeLookup()) {
        case filter::LookupOutcome::Created:
            return RunOutcome::Completed;
        case filter::LookupOutcome::NothingFound:
            session_.ui->setBusy(false);
            tell("No records were found that match the specified criteria.",
                 forms::MsgIcon::Information);
            return RunOutcome::Stopped;
        case filter::LookupOutcome::Failed:
            break;
    }
    return RunOutcome::Stopped;
}

RunOutcome RunCommand::reportOutput(filter::SalesFilter& filter, const std::string& reportName) {
    if (filter.sSalesIDs().empty()) {
        session_.ui->setBusy(false);
        tell("There is no data to display or export!", forms::MsgIcon::Exclamation, "Empty Report");
        return RunOutcome::Stopped;
    }
    ResultsList results(session_, window_.resultsList());
    session_.progress.phase("Sorting", filter.sSalesIDs().size());
    if (!results.Fill_Listview(filter.sSalesIDs())) {
        return RunOutcome::Stopped;
    }
    // The data file goes back as it was when the run is cancelled, even once the builder
    // began; so does what the store tells the builder (RunCommand::run).
    std::optional<KeptFile> earlierData;
    if (session_.iOutputType() == definitions::kExcelReport) {
        earlierData.emplace(dataFilePath(session_));
    }
    try {
        session_.progress.phase("Writing",
                                static_cast<std::uint64_t>(window_.resultsList().rowCount()));
        // A data file that could not be written is never handed on, stale or partial.
        if (!Write_File(session_, window_.resultsList(), session_.bNameSortAdded())) {
            return RunOutcome::Stopped;
        }
        if (session_.iOutputType() == definitions::kExcelReport) {
            session_.settings->SaveSetting("Report", "Path",
                                           session_.sTemplatesFolder() + reportName + ".XLT");
            return buildWorkbook();
        }
    } catch (const core::Cancelled&) {
        if (earlierData) {
            earlierData->putBack();
        }
        throw;
    }
    return exportCsv() ? RunOutcome::Completed : RunOutcome::Stopped;
}

// The run waits for the builder under the same progress; a builder that failed has told the
// user why, one that could not start or died without a word is told here.
RunOutcome RunCommand::buildWorkbook() {
    switch (session_.launcher->buildReport(session_.programFolder, session_.progress)) {
        case platform::BuildOutcome::Built:
        case platform::BuildOutcome::Suppressed:
            return RunOutcome::Completed;
        case platform::BuildOutcome::Failed:
            return RunOutcome::Stopped;
        case platform::BuildOutcome::NotStarted:
            session_.ui->setBusy(false);
            tell(std::string("The report builder (") + platform::kReportBuilderName +
                     ") could not be started from the program folder, so the report was not "
                     "built.",
                 forms::MsgIcon::Critical);
            return RunOutcome::Stopped;
        case platform::BuildOutcome::Died:
            break;
    }
    session_.ui->setBusy(false);
    tell("The report builder stopped unexpectedly, so the report was not built.",
         forms::MsgIcon::Critical);
    return RunOutcome::Stopped;
}

// A cancelled save dialog or a failed copy ends the run quietly with the window open; only
// an unattended run, where nobody sees the window stay, is told why.
bool RunCommand::exportCsv() {
    forms::SaveFileRequest request;
    request.filter = "CSV Files (*.CSV)|*.CSV";
    request.defaultExtension = "CSV";
    request.initialFolder = platform::joinPath(session_.programFolder, "CSV Files");
    request.promptOverwrite = true;
    // The rows are written: the user now picks the file, with no progress shown or cancelled.
    session_.progress.detach();
    session_.ui->setBusy(false);
    auto target = session_.ui->saveFile(request);
    if (!target) {
        return false;
    }
    try {
        // The data file is only ever replaced whole, so the export may be the same file
        // under a second name: a large export is not written twice.
        platform::shareFile(dataFilePath(session_), *target);
    } catch (const std::exception& e) {
        session_.ui->quietStop("the export could not be written to " + *target + ": " + e.what());
        return false;
    }
    return true;
}

}  // namespace bp::output
