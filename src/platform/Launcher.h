#pragma once
// Starts the report builder, which lies in the program folder beside the program. It builds a
// spreadsheet report from the data file and the staged definition, or opens a report's
// template for editing, as the settings "Settings"/"Template" says. The program never waits
// for it and never hears back from it.

#include <string>
#include <vector>

namespace bp::platform {

inline constexpr const char* kReportBuilderName = "brindlepath-launch";

class Launcher {
public:
    virtual ~Launcher() = default;
    // True when the builder was started (false when suppressed or not found).
    virtual bool launch(const std::string& programFolder) = 0;
};

// The real one: programFolder/brindlepath-launch, started detached with the program folder as
// working folder. BRINDLEPATH_NO_LAUNCH=1 suppresses it (tests, servers).
class ReportBuilderLauncher : public Launcher {
public:
    bool launch(const std::string& programFolder) override;
};

// Records each request instead, for tests.
class RecordingLauncher : public Launcher {
public:
    bool launch(const std::string& programFolder) override {
        launches_.push_back(programFolder);
        return true;
    }
    const std::vector<std::string>& launches() const { return launches_; }

private:
    std::vector<std::string> launches_;
};

}  // namespace bp::platform
