#include "launcher/LaunchCommand.h"

#include <filesystem>
#include <iostream>

#include "platform/Error.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "platform/SettingsStore.h"

namespace bp::launcher {
namespace {

namespace fs = std::filesystem;

std::string safeFileName(std::string name) {
    for (char& c : name) {
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) {
            c = '_';
        }
    }
    return name.empty() || name == "." || name == ".." ? std::string("Report") : name;
}

}  // namespace

std::optional<LaunchOptions> parseArguments(int argc, const char* const* argv, std::string& error) {
    LaunchOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--no-open") {
            options.noOpen = true;
        } else if (argument == platform::kWatchedBuildOption) {
            options.watched = true;
        } else if (argument == "--out" && i + 1 < argc) {
            options.outPath = argv[++i];
        } else {
            error = "usage: brindlepath-launch [--no-open] [--out FILE.xlsx] [--progress]";
            return std::nullopt;
        }
    }
    return options;
}

std::string defaultReportPath(const std::string& dataFile, const std::string& reportName,
                              const std::string& stamp) {
    std::string folder = platform::joinPath(platform::parentFolder(dataFile), "Reports");
    if (std::optional<std::string> existing = platform::findFolder(folder)) {
        folder = *existing;  // a "reports" folder made by hand is the same folder
    }
    std::string base = safeFileName(reportName) + " " + stamp;
    std::string candidate = platform::joinPath(folder, base + ".xlsx");
    // "report.XLSX" already there is the same name to the user's spreadsheet program.
    for (int n = 2; platform::fileExists(candidate); ++n) {
        candidate = platform::joinPath(folder, base + " (" + std::to_string(n) + ").xlsx");
    }
    return candidate;
}

int LaunchCommand::run(const LaunchOptions& options, const BuildDate& today,
                       const std::string& stamp) {
    try {
        if (settings_.GetSetting(platform::kSettingsSection, "Template", "0") == "1") {
            return editTemplate(options);
        }
        return buildReport(options, today, stamp);
    } catch (const core::Cancelled&) {
        // The workbook's temporaries went with the build; the one who asked knows why.
        return kExitStopped;
    } catch (const Error& error) {
        desktop_.message(MessageKind::Error, error.description());
        return kExitFailed;
    } catch (const std::exception& error) {
        desktop_.message(MessageKind::Error,
                         std::string("The report could not be built: ") + error.what());
        return kExitFailed;
    }
}

int LaunchCommand::editTemplate(const LaunchOptions& options) {
    std::string path = settings_.GetSetting(platform::kSettingsSection, "TemplatePath", "");
    // Reset first: whatever happens to this edit, the next run builds a report again.
    settings_.SaveSetting(platform::kSettingsSection, "Template", "0");
    std::optional<std::string> found = platform::findFile(path);
    if (!found) {
        raise(kErrFileNotFound, "The template \"" + path + "\" was not found.");
    }
    if (!options.noOpen) {
        desktop_.open(*found);
    }
    std::cout << *found << std::endl;
    return kExitDone;
}

int LaunchCommand::buildReport(const LaunchOptions& options, const BuildDate& today,
                               const std::string& stamp) {
    ReportBuilder builder(settings_, regional_);
    if (progress_) {
        builder.reportTo(*progress_);
    }
    std::string out = options.outPath;
    if (out.empty()) {
        std::string dataFile = builder.dataFilePath();
        out = defaultReportPath(dataFile, builder.stagedReportName(), stamp);
    }
    std::error_code error;
    std::string folder = platform::parentFolder(out);
    bool madeFolder = false;
    if (!folder.empty()) {
        madeFolder = fs::create_directories(platform::pathFromUtf8(folder), error);
    }
    if (error) {
        raise(kErrPathNotFound, "The folder \"" + folder + "\" could not be created.");
    }
    BuildResult result;
    try {
        result = builder.build(out, today);
    } catch (const core::Cancelled&) {
        if (madeFolder) {
            fs::remove(platform::pathFromUtf8(folder), error);  // only when left empty
        }
        throw;
    }
    if (progress_) {
        progress_->detach();  // a terminal's bar is wiped before the warnings
    }
    for (const auto& warning : result.warnings) {
        desktop_.message(MessageKind::Warning, warning);
    }
    if (!options.noOpen) {
        desktop_.open(result.path);
    }
    std::cout << result.path << std::endl;
    return kExitDone;
}

}  // namespace bp::launcher
