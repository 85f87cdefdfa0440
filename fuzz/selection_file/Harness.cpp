// The selection file of a batch count (brindlepath --run SELECTION.ini --count) on a small
// embedded host. Whatever the bytes: no crash and no exception; the exit status is 0 or 1,
// never the start-up failure a readable selection cannot cause; a count prints two numbers
// no larger than the host's contacts and sales records, a stop says why; and the count
// writes nothing: the user's store, the host database and the program folder (but for the
// lookup every start saves) stay as they were.

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "act/sim/DemoGenerator.h"
#include "app/BatchRun.h"
#include "app/EmbeddedHostFactory.h"
#include "platform/FileSettingsStore.h"

namespace {

namespace fs = std::filesystem;

// What a file looked like: its size and when it was last written.
using Listing = std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>>;

struct Home {
    fs::path root = bp::fuzz::Scratch::folder();
    std::string program = (root / "program").string();
    std::string host = (root / "host.db").string();
    std::string settings = (root / "config" / "settings.ini").string();
    std::string selection = (root / "selection.ini").string();
    bp::sim::DemoSummary demo;
    std::string settingsText;
};

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every start, a count's too, saves the host's current lookup into the program folder as
// the lookup the user started with; that file is start-up's, not the count's.
Listing listing(const fs::path& folder) {
    Listing files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().filename() != "~currentLU.lku") {
            files[entry.path().string()] = {entry.file_size(), entry.last_write_time()};
        }
    }
    return files;
}

// Every place the program looks for the user's things points into the scratch folder, so a
// count can neither read nor change the person's own store, host or folders.
void isolate(const Home& home) {
    const std::pair<const char*, fs::path> folders[] = {
        {"HOME", home.root / "home"},          {"XDG_CONFIG_HOME", home.root / "config"},
        {"XDG_DATA_HOME", home.root / "data"}, {"XDG_RUNTIME_DIR", home.root / "runtime"},
        {"TMPDIR", home.root / "tmp"},
    };
    for (const auto& [name, folder] : folders) {
        fs::create_directories(folder);
        setenv(name, folder.c_str(), 1);
    }
    setenv("BRINDLEPATH_SETTINGS", home.settings.c_str(), 1);
    setenv("BRINDLEPATH_HOME", home.program.c_str(), 1);
    setenv("BRINDLEPATH_HOST", home.host.c_str(), 1);
    setenv("BRINDLEPATH_LOCALE", "en_US", 1);
    setenv("BRINDLEPATH_NO_LAUNCH", "1", 1);
    for (const char* name :
         {"BRINDLEPATH_ATTACH", "BRINDLEPATH_PROGRESS_AFTER_MS", "BRINDLEPATH_HOST_STATS"}) {
        unsetenv(name);
    }
}

// A few definitions of both kinds: ready ones, and ones a count refuses (no fields chosen,
// nothing at all), so a selection of either output reaches both answers.
void writeTemplates(const fs::path& folder) {
    fs::create_directories(folder);
    const std::string fields = "FieldsIncluded=1025\f34\f39\f\r\nSort0=39\r\n";
    writeFile(folder / "Pipeline.DXL", fields);
    writeFile(folder / "Pipeline.XLT", "x");
    writeFile(folder / "Bare.DXL", "Header=1\r\nFieldsIncluded=\f\f\r\n");
    writeFile(folder / "Bare.XLT", "x");
    writeFile(folder / "Export.DCS", fields);
    writeFile(folder / "Empty.DCS", "");
}

const Home& home() {
    static const Home made = [] {
        Home h;
        isolate(h);
        writeTemplates(fs::path(h.program) / "Templates");
        // Small, so that a count takes a few milliseconds: the selection's keys, not the
        // host's size, decide which paths a count takes.
        bp::sim::DemoOptions demo;
        demo.contacts = 24;
        demo.users = 4;
        demo.groups = 3;
        demo.salesPerContact = 2;
        h.demo = bp::sim::DemoGenerator::generate(h.host, demo);
        {
            bp::platform::FileSettingsStore user(h.settings);
            user.SaveSetting("Settings", "chkSales0", "1");
            user.SaveSetting("Settings", "Min0", "kept");
            user.SaveSetting("Report", "Sort0", "34");
        }
        h.settingsText = readFile(h.settings);
        return h;
    }();
    return made;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Home& h = home();
    writeFile(h.selection, std::string(bp::fuzz::bytes(data, size)));
    const Listing programBefore = listing(h.program);
    const auto hostBefore = fs::last_write_time(h.host);

    std::ostringstream out;
    std::ostringstream err;
    const int status = bp::app::runBatch({h.selection, "--count"}, out, err,
                                         std::make_unique<bp::app::EmbeddedHostFactory>(h.host));

    BP_FUZZ_CHECK(status == 0 || status == 1);
    if (status == 0) {
        static const std::regex counted("([0-9]+) ([0-9]+)\n");
        std::smatch numbers;
        const std::string printed = out.str();
        BP_FUZZ_CHECK(std::regex_match(printed, numbers, counted));
        BP_FUZZ_CHECK(std::stoll(numbers[1].str()) <= h.demo.contacts);
        BP_FUZZ_CHECK(std::stoll(numbers[2].str()) <= h.demo.sales);
    } else {
        BP_FUZZ_CHECK(out.str().empty());
        BP_FUZZ_CHECK(!err.str().empty());
    }
    BP_FUZZ_CHECK(readFile(h.settings) == h.settingsText);
    BP_FUZZ_CHECK(fs::last_write_time(h.host) == hostBefore);
    BP_FUZZ_CHECK(listing(h.program) == programBefore);
    return 0;
}
