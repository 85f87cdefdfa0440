// brindlepath-launch: builds the spreadsheet report of the last run, or opens a template for
// editing (LaunchCommand.h). It reads only the settings store and files, never the host.

#include <cstdlib>
#include <ctime>
#include <iostream>

#include "launcher/IniSettingsFile.h"
#include "launcher/LaunchCommand.h"

int main(int argc, char** argv) {
    using namespace bp::launcher;
    std::string error;
    auto options = parseArguments(argc, argv, error);
    if (!options) {
        std::cerr << error << std::endl;
        return kExitUsage;
    }
    const char* noLaunch = std::getenv("BRINDLEPATH_NO_LAUNCH");
    if (noLaunch && *noLaunch && std::string(noLaunch) != "0")
        options->noOpen = true;

    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    BuildDate today{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H.%M.%S", &local);

    IniSettingsFile settings(IniSettingsFile::userPath());
    SystemDesktop desktop;
    // FIXME: the regional number and date forms come from the platform's locale once it lands;
    // until then the data file is read in the en_US forms.
    Regional regional;
    LaunchCommand command(settings, desktop, regional);
    return command.run(*options, today, stamp);
}
