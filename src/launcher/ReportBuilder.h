#pragma once
// Builds one report: the data file's rows, ordered and grouped as the staged definition says,
// written into a copy of the report's template. The result appears under its final name only
// when it is complete; a failure leaves nothing behind.

#include <string>
#include <vector>

#include "core/Progress.h"
#include "launcher/Regional.h"
#include "platform/SettingsStore.h"

namespace bp::launcher {

struct BuildResult {
    std::string path;
    std::string reportName;
    size_t rows = 0;
    std::vector<std::string> warnings;  // told to the user, but the report was built
};

struct BuildDate {
    int year = 2000;
    int month = 1;
    int day = 1;
};

class ReportBuilder {
public:
    ReportBuilder(const platform::SettingsStore& settings, const Regional& regional)
        : settings_(settings), regional_(regional) {}

    // Raises bp::Error with the text the user is shown when no report can be built.
    BuildResult build(const std::string& outPath, const BuildDate& today) const;
    // A build reports to `progress` as "Building the report", a step per data row.
    void reportTo(core::Progress& progress) { progress_ = &progress; }
    // The report name of the staged definition ("" when none is named).
    std::string stagedReportName() const;
    // "Settings"/"DataFile"; raises bp::Error when it is not set.
    std::string dataFilePath() const;

private:
    const platform::SettingsStore& settings_;
    const Regional& regional_;
    core::Progress* progress_ = nullptr;
};

}  // namespace bp::launcher
