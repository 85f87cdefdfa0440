#include "app/BatchRun.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <system_error>

#include "app/BatchRunCount.h"
#include "app/FrmMain.h"
#include "app/ProgramCommand.h"
#include "app/StartUp.h"
#include "output/BatchUi.h"
#include "output/SettingsOverlay.h"
#include "platform/Environment.h"
#include "platform/File.h"
#include "platform/FileError.h"
#include "platform/FileSettingsStore.h"
#include "platform/InterruptWatch.h"
#include "platform/PathText.h"
#include "platform/SettingsFileFormat.h"

namespace bp::app {
namespace {

constexpr int kCompleted = 0;
constexpr int kStopped = 1;
constexpr int kFailed = 2;

struct BatchArgs {
    std::optional<std::string> selection;
    std::optional<std::string> out;
    bool count = false;
};

std::optional<BatchArgs> parse(const std::vector<std::string>& args, std::ostream& err) {
    BatchArgs parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out" && i + 1 < args.size()) {
            parsed.out = args[++i];
        } else if (args[i] == "--count") {
            parsed.count = true;
        } else if (args[i] == "--out") {
            printUsage(err, "--out needs a file", UsageLine::RunOnly);
            return std::nullopt;
        } else if (!args[i].starts_with("--") && !parsed.selection) {
            parsed.selection = args[i];
        } else {
            printUsage(err, "unexpected " + args[i] + " after --run", UsageLine::RunOnly);
            return std::nullopt;
        }
    }
    return parsed;
}

std::optional<platform::SettingPairs> selectionKeys(const BatchArgs& args, std::ostream& err) {
    if (!args.selection) {
        return platform::SettingPairs{};
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(platform::pathFromUtf8(*args.selection), ec)) {
        err << "brindlepath: cannot read the selection " << *args.selection << "\n";
        return std::nullopt;
    }
    // Read here rather than through a store, which answers defaults for a file it cannot
    // read: a selection too large or unreadable would otherwise run the stored choices.
    std::string text;
    const int errnum =
        platform::readWholeFile(*args.selection, platform::FileSettingsStore::kMaxStoreBytes, text);
    if (errnum == platform::kErrnoFileTooLarge) {
        err << "brindlepath: the selection " << *args.selection << " is larger than "
            << (platform::FileSettingsStore::kMaxStoreBytes >> 20) << " MB\n";
        return std::nullopt;
    }
    if (errnum != 0) {
        err << "brindlepath: cannot read the selection " << *args.selection << ": "
            << platform::standardErrorText(platform::fileErrorNumber(errnum)) << "\n";
        return std::nullopt;
    }
    return platform::SettingsFileFormat::parse(text).all(platform::kSettingsSection);
}

core::ProgressTiming barTiming() {
    core::ProgressTiming timing;
    const std::string after = platform::environmentVariable("BRINDLEPATH_PROGRESS_AFTER_MS");
    if (!after.empty() && after.find_first_not_of("0123456789") == std::string::npos &&
        after.size() < 7) {
        timing.showAfter = std::chrono::milliseconds(std::stoi(after));
    }
    return timing;
}

}  // namespace

int runBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             bool errIsTerminal) {
    return runBatch(args, out, err, makeHostFactory(), errIsTerminal);
}

int runBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             std::unique_ptr<HostFactory> hostFactory, bool errIsTerminal) {
    // From here on the first Ctrl+C stops the run cleanly, whether or not a bar is shown.
    platform::InterruptWatch interrupts;
    auto parsed = parse(args, err);
    if (!parsed) {
        return kFailed;
    }
    auto overrides = selectionKeys(*parsed, err);
    if (!overrides) {
        return kFailed;
    }
    StartUp startUp(std::move(hostFactory));
    output::SettingsOverlay settings(startUp.userSettings(), *overrides);
    output::BatchUi ui(err, parsed->out);
    if (errIsTerminal) {
        ui.showProgress(barTiming());
    }
    auto frmMain = startUp.run(ui, settings);
    if (!frmMain) {
        return kFailed;
    }
    if (parsed->count) {
        int status = countBatch(*frmMain, out);
        frmMain->unload();
        return status;
    }
    frmMain->cmdOK_Click();
    // A completed run closes the window; after a stop the window is closed here, and the
    // overlay keeps the window's own keys out of the user's store.
    if (!frmMain->loaded()) {
        return kCompleted;
    }
    frmMain->unload();
    return kStopped;
}

}  // namespace bp::app
