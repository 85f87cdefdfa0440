#include "app/MainWindowCount.h"

#include "app/FrmMain.h"
#include "definitions/DefinitionFile.h"
#include "definitions/DefinitionKeys.h"
#include "output/FrmPreview.h"
#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"

namespace bp::app {

namespace {

constexpr const char* kReading = "Reading the database\u2026";
constexpr const char* kCounting = "Counting\u2026";

// The first line of a message: the line under the tabs has room for one.
std::string firstLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

std::string counted(std::uint64_t n, const char* one, const char* many,
                    const std::string& thousands) {
    return output::FrmPreview::groupDigits(n, thousands) + " " + (n == 1 ? one : many);
}

}  // namespace

MainWindowCount::MainWindowCount(FrmMain& frmMain, act::Session& session)
    : frmMain_(frmMain), session_(session) {
    frmMain_.tmrCount().setInterval(kTickMs);
    frmMain_.tmrCount().onTimer = [this] { tick(); };
    frmMain_.lblRefresh().onClick = [this] { refresh(); };
}

MainWindowCount::~MainWindowCount() {
    frmMain_.tmrCount().onTimer = nullptr;
    frmMain_.lblRefresh().onClick = nullptr;
}

std::string MainWindowCount::countText(const filter::SelectionCount& count,
                                       const std::string& thousands) {
    return counted(count.contacts, "contact", "contacts", thousands) + " \u00B7 " +
           counted(count.opportunities, "opportunity", "opportunities", thousands) + " match";
}

void MainWindowCount::tick(Clock::time_point now) {
    if (!snapshot_ && !readHost()) {
        return;
    }
    Choices choices = currentChoices();
    if (!seen_ || !(choices == *seen_)) {
        seen_ = std::move(choices);
        changedAt_ = now;
        pending_ = true;
        say(kCounting);
        return;
    }
    if (pending_ && now - changedAt_ >= kSettleMs) {
        pending_ = false;
        startCount();
        return;
    }
    if (auto count = live_.take()) {
        show(*count);
    }
}

// False while the snapshot is being read, or after the read failed.
bool MainWindowCount::readHost() {
    if (!reader_) {
        startReading();
    }
    try {
        if (!reader_->readFor(kReadSlice)) {
            return false;
        }
    } catch (const std::exception& e) {
        reader_.reset();
        frmMain_.tmrCount().setEnabled(false);
        say(std::string("The database could not be read: ") + e.what());
        frmMain_.lblRefresh().setVisible(true);
        return false;
    }
    snapshot_ = reader_->snapshot();
    reader_.reset();
    seen_.reset();  // counts the choices as they stand now
    frmMain_.lblRefresh().setVisible(true);
    return true;
}

MainWindowCount::Choices MainWindowCount::currentChoices() const {
    Choices choices{frmMain_.panel().criteria(), std::nullopt, session_.iOutputType()};
    if (choices.criteria.reportOutput) {
        choices.report = selectedReport(frmMain_);
    }
    return choices;
}

void MainWindowCount::startCount() {
    if (seen_->criteria.reportOutput) {
        if (auto missing = reportNotReady(session_, seen_->report, seen_->outputType)) {
            say(*missing);
            return;
        }
    }
    live_.start(snapshot_, session_.programFolder, seen_->criteria);
}

std::optional<std::string> MainWindowCount::selectedReport(FrmMain& frmMain) {
    const forms::ListBox& list = *frmMain.criteriaControls().lstReports;
    if (list.listIndex() < 0) {
        return std::nullopt;
    }
    return list.list(list.listIndex());
}

std::optional<std::string> MainWindowCount::reportNotReady(const act::Session& session,
                                                           const std::optional<std::string>& report,
                                                           int outputType) {
    if (!report) {
        return "You need to select a report!";
    }
    if (!platform::findFile(definitions::definitionPath(session, *report, outputType))) {
        return "The definition file for this report is missing!";
    }
    std::optional<std::string> fields;
    try {
        fields = definitions::definitionFileValue(session, *report, outputType, "FieldsIncluded");
    } catch (const Error&) {
        return "Unable to access this report definition file!";
    }
    if (!fields || fields->find_first_not_of(definitions::kItemEnd) == std::string::npos) {
        return "Please check the settings for this report: no fields are to be included!";
    }
    return std::nullopt;
}

void MainWindowCount::show(const filter::SelectionCount& count) {
    using Outcome = filter::SelectionCount::Outcome;
    switch (count.outcome) {
        case Outcome::Counted:
            say(countText(count, platform::GetLocaleString(platform::kLocaleSThousand)));
            return;
        case Outcome::Incomplete:
        case Outcome::Failed:
            say(firstLine(count.message));
            return;
        case Outcome::Cancelled:
            return;  // newer choices are being counted
    }
}

void MainWindowCount::say(const std::string& text) {
    frmMain_.lblCount().setCaption(text);
}

void MainWindowCount::startReading() {
    reader_ = std::make_unique<filter::SnapshotReader>(session_);
    say(kReading);
    frmMain_.lblRefresh().setVisible(false);
}

void MainWindowCount::refresh() {
    snapshot_.reset();
    startReading();
    frmMain_.tmrCount().setEnabled(true);
}

void MainWindowCount::afterRun() {
    if (frmMain_.loaded()) {
        refresh();
    }
}

void MainWindowCount::afterPreview() {
    // A read between two slices lost its place in the shared tables.
    if (reader_) {
        reader_.reset();
    }
}

void MainWindowCount::countNow() {
    while (!snapshot_ && frmMain_.tmrCount().enabled()) {
        readHost();
    }
    if (!snapshot_) {
        return;
    }
    seen_ = currentChoices();
    pending_ = false;
    say(kCounting);
    startCount();
    finishCount();
}

void MainWindowCount::finishCount() {
    if (auto count = live_.wait()) {
        show(*count);
    }
}

}  // namespace bp::app
