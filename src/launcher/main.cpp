// brindlepath-launch: builds the spreadsheet report of the last run, or opens a template for
// editing (LaunchCommand.h). It reads only the settings store and files, never the host.

#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/LocalTime.h"
#include "launcher/LaunchCommand.h"
#include "platform/ConsoleOutput.h"
#include "platform/FileSettingsStore.h"
#include "platform/InterruptSink.h"
#include "platform/InterruptWatch.h"
#include "platform/Locale.h"
#include "platform/PipedProgress.h"
#include "platform/ProgramArguments.h"
#include "platform/TerminalProgressBar.h"

int main(int argc, char** argv) {
    using namespace bp::launcher;
    std::vector<std::string> arguments = bp::platform::programArguments(argc, argv);
    // The parser reads a main()'s argv: the program's own name first.
    std::vector<const char*> pointers{argc > 0 ? argv[0] : "brindlepath-launch"};
    for (const std::string& argument : arguments) {
        pointers.push_back(argument.c_str());
    }
    std::string error;
    auto options = parseArguments(static_cast<int>(pointers.size()), pointers.data(), error);
    if (!options) {
        std::cerr << error << std::endl;
        return kExitUsage;
    }

    std::tm local = bp::core::localTime(std::time(nullptr));
    BuildDate today{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H.%M.%S", &local);

    auto settings = bp::platform::openUserSettings();
    SystemDesktop desktop;
    Regional regional = Regional::fromLocale(bp::platform::Locale::current());
    LaunchCommand command(*settings, desktop, regional);
    // Watched by the desktop program, progress goes to it; else to a terminal, if any.
    std::optional<bp::platform::PipedProgress> piped;
    std::optional<bp::platform::TerminalProgressBar> bar;
    if (options->watched) {
        piped.emplace(std::cout);
    } else if (bp::platform::errorIsTerminal()) {
        bar.emplace(std::cerr);
    }
    // Ctrl+C stops the build at its next look, watched, piped or not; a second one ends it
    // at once.
    bp::platform::InterruptWatch interrupts;
    bp::core::ProgressSink* shown = piped ? static_cast<bp::core::ProgressSink*>(&*piped)
                                    : bar ? &*bar
                                          : nullptr;
    bp::platform::InterruptSink sink(shown);
    bp::core::Progress progress;
    bp::core::ProgressScope watched(progress, &sink);
    command.reportTo(progress);
    const int status = command.run(*options, today, stamp);
    // Whoever watches a build knows why it stopped; someone at a terminal is told.
    if (status == kExitStopped && !options->watched) {
        std::cerr << "brindlepath-launch: the build was cancelled; no report was written"
                  << std::endl;
    }
    return status;
}
