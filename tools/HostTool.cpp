#include "HostTool.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#endif

#include "act/sim/DatasetJson.h"
#include "act/sim/DemoGenerator.h"
#include "act/sim/HostErrors.h"
#include "act/sim/HostStore.h"
#include "act/sim/SimHost.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/PathText.h"
#include "platform/SaveFile.h"

#ifdef _WIN32
#include "act/standin/Registration.h"
#include "platform/WinText.h"
#endif

namespace bp::sim {

namespace {

struct UsageError {
    std::string message;
};

// Numbers on the command line: whole, within range, nothing trailing.
long long number(const std::string& text, const std::string& option, long long least,
                 long long most) {
    std::size_t used = 0;
    long long value = 0;
    try {
        value = std::stoll(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || text.empty() || value < least || value > most) {
        throw UsageError{option + " needs a whole number from " + std::to_string(least) + " to " +
                         std::to_string(most) + ", not \"" + text + "\""};
    }
    return value;
}

std::vector<std::string> contactIds(HostStore& store) {
    RecordSet contacts = store.loadRecords(TableKind::Contact);
    std::vector<std::string> ids;
    for (std::uint32_t i = 0; i < contacts.size(); ++i) {
        ids.emplace_back(contacts.field(i, 1));
    }
    return ids;
}

#ifdef _WIN32
// The automation server is built and installed beside this program.
std::string serverLibrary() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            raise(kErrPathNotFound, "The program cannot find its own folder");
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::filesystem::path library =
        std::filesystem::path(path).parent_path() / L"brindlepath-host.dll";
    if (!std::filesystem::exists(library)) {
        raise(kErrFileNotFound,
              "The automation server " + platform::toUtf8(library.wstring()) + " is missing");
    }
    return platform::toUtf8(library.wstring());
}
#endif

const char* placeName(Place place) {
    return place == Place::Toolbar ? "toolbar" : "tools menu";
}

}  // namespace

int HostTool::run(const std::vector<std::string>& args) {
    try {
        parse(args);
        if (verb_ == "help") {
            usage(out_);
            return kOk;
        }
        static const std::map<std::string, Verb> kVerbs = {
            {"import", &HostTool::importVerb},
            {"demo", &HostTool::demoVerb},
            {"export", &HostTool::exportVerb},
            {"lookup", &HostTool::lookupVerb},
            {"status", &HostTool::statusVerb},
            {"open", &HostTool::openVerb},
            {"close", &HostTool::closeVerb},
            {"set-lookup", &HostTool::setLookupVerb},
            {"set-current", &HostTool::setCurrentVerb},
            {"commands", &HostTool::commandsVerb},
            {"register", &HostTool::registerVerb},
            {"unregister", &HostTool::unregisterVerb}};
        auto verb = kVerbs.find(verb_);
        if (verb == kVerbs.end()) {
            throw UsageError{verb_.empty() ? "no verb given" : "unknown verb \"" + verb_ + "\""};
        }
        (this->*verb->second)();
        return kOk;
    } catch (const UsageError& e) {
        err_ << "brindlepath-host: " << e.message << "\n";
        usage(err_);
    } catch (const Error& e) {
        err_ << "brindlepath-host: " << e.description() << "\n";
    } catch (const std::exception& e) {
        err_ << "brindlepath-host: " << e.what() << "\n";
    }
    return kBadInput;
}

void HostTool::parse(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--db") {
            db_ = takeValue(args, i);
        } else if (arg == "--contacts" || arg == "--seed" || arg == "--sales-per-contact") {
            options_[arg] = takeValue(args, i);
        } else if (arg == "--all") {
            options_[arg] = "1";
        } else if (arg == "--help" || arg == "-h") {
            verb_ = "help";
        } else if (arg.starts_with("--")) {
            throw UsageError{"unknown option " + arg};
        } else if (verb_.empty()) {
            verb_ = arg;
        } else {
            operands_.push_back(arg);
        }
    }
    if (db_.empty()) {
        db_ = SimHost::defaultPath();
    }
    // The host reports its database path to the program, so keep it whole.
    db_ = platform::utf8FromPath(
        std::filesystem::absolute(platform::pathFromUtf8(db_)).lexically_normal());
}

const std::string& HostTool::takeValue(const std::vector<std::string>& args, std::size_t& i) const {
    if (i + 1 >= args.size()) {
        throw UsageError{args[i] + " needs a value"};
    }
    return args[++i];
}

void HostTool::expectArgs(std::size_t least, std::size_t most) const {
    if (operands_.size() < least || operands_.size() > most) {
        throw UsageError{"wrong number of arguments for \"" + verb_ + "\""};
    }
}

void HostTool::usage(std::ostream& to) const {
    to << "usage: brindlepath-host [--db PATH] VERB [ARGS]\n"
          "  import FILE.json                  create the host database from a dataset\n"
          "  demo [--contacts N] [--seed S] [--sales-per-contact K]\n"
          "                                    create a generated demo database\n"
          "  export [FILE]                     write the dataset JSON (standard output: -)\n"
          "  lookup                            the current lookup's contact IDs\n"
          "  status                            what the host holds and shows\n"
          "  open | close                      the host's user opens or closes the host\n"
          "  set-lookup ID... | --all          make these contacts (or all) the lookup\n"
          "  set-current ID                    make this contact the current one\n"
          "  commands                          the auxiliary commands and their places\n"
#ifdef _WIN32
          "  register                          make the host's automation objects known to\n"
          "                                    programs of this user (brindlepath-host.dll)\n"
          "  unregister                        forget them again\n"
          "--db defaults to %BRINDLEPATH_HOST%, else %LOCALAPPDATA%\\brindlepath\\host.db\n";
#else
          "--db defaults to $BRINDLEPATH_HOST, else $XDG_DATA_HOME/brindlepath/host.db\n";
#endif
}

void HostTool::importVerb() {
    expectArgs(1, 1);
    DatasetJson::importFile(db_, operands_[0]);
    out_ << "Imported " << operands_[0] << " into " << db_ << "\n";
}

void HostTool::demoVerb() {
    expectArgs(0, 0);
    DemoOptions options;
    if (options_.contains("--contacts")) {
        options.contacts =
            static_cast<int>(number(options_["--contacts"], "--contacts", 0, 5000000));
    }
    if (options_.contains("--seed")) {
        options.seed = static_cast<std::uint64_t>(
            number(options_["--seed"], "--seed", 0, std::numeric_limits<long long>::max()));
    }
    if (options_.contains("--sales-per-contact")) {
        options.salesPerContact = static_cast<int>(
            number(options_["--sales-per-contact"], "--sales-per-contact", 1, 100));
    }
    DemoSummary summary = DemoGenerator::generate(db_, options);
    out_ << "Created " << db_ << ": " << summary.contacts << " contacts, " << summary.sales
         << " sales records, " << summary.groups << " groups\n";
}

void HostTool::exportVerb() {
    expectArgs(0, 1);
    HostStore store(db_);
    std::string text = DatasetJson::exportJson(store).dump(2) + "\n";
    if (operands_.empty() || operands_[0] == "-") {
        out_ << text;
        return;
    }
    writeExport(operands_[0], text);
}

// A file is replaced as a whole, so a failed export keeps the earlier one; a device or a pipe
// (/dev/stdout, a shell's process substitution) is written to as it is.
void HostTool::writeExport(const std::string& path, const std::string& text) {
    std::optional<platform::FileStamp> existing = platform::stampOf(path);
    if (existing && !existing->regular && !existing->folder) {
        std::ofstream file(platform::pathFromUtf8(path), std::ios::binary);
        if (!(file << text) || !file.flush()) {
            raise(kErrPermissionDenied, path + ": the file cannot be written");
        }
        return;
    }
    platform::SaveFile file(path);
    if (!file.open() || !file.write(text) || !file.commit()) {
        raise(kErrPermissionDenied, path + ": the file cannot be written (" +
                                        platform::systemErrorText(file.error()) + ")");
    }
}

void HostTool::lookupVerb() {
    expectArgs(0, 0);
    HostStore store(db_);
    auto lookup = store.currentLookup();
    for (const auto& id : lookup ? *lookup : contactIds(store)) {
        out_ << id << "\n";
    }
}

void HostTool::statusVerb() {
    expectArgs(0, 0);
    HostStore store(db_);
    auto lookup = store.currentLookup();
    out_ << "host database:    " << store.path() << "\n"
         << "running:          " << (store.meta("running", "1") == "1" ? "yes" : "no") << "\n"
         << "database open:    " << (store.meta("open", "1") == "1" ? "yes" : "no") << "\n"
         << "database path:    " << store.meta("databasePath", store.path()) << "\n"
         << "current user:     " << store.meta("currentUser", "") << "\n"
         << "current contact:  " << store.meta("currentContact", "") << "\n"
         << "contacts:         " << store.recordCount(TableKind::Contact) << "\n"
         << "sales records:    " << store.recordCount(TableKind::Sales) << "\n"
         << "groups:           " << store.recordCount(TableKind::Group) << "\n"
         << "users:            " << store.users().size() << "\n"
         << "current lookup:   "
         << (lookup ? std::to_string(lookup->size()) + " contacts" : "all contacts") << "\n"
         << "closed:           " << store.closeCount() << " times\n";
    std::string commands;
    for (int command : store.commands()) {
        commands += (commands.empty() ? "" : " ") + std::to_string(command);
    }
    out_ << "commands received: " << (commands.empty() ? "none" : commands) << "\n";
}

void HostTool::openVerb() {
    expectArgs(0, 0);
    HostStore(db_).reopen();
    out_ << "The host runs with " << db_ << " open\n";
}

void HostTool::closeVerb() {
    expectArgs(0, 0);
    HostStore(db_).close();
    out_ << "The host was closed\n";
}

void HostTool::setLookupVerb() {
    HostStore store(db_);
    if (options_.contains("--all")) {
        expectArgs(0, 0);
        store.clearCurrentLookup();
        out_ << "The lookup shows all contacts\n";
        return;
    }
    expectArgs(1, SIZE_MAX);
    RecordSet contacts = store.loadRecords(TableKind::Contact);
    for (const auto& id : operands_) {
        if (contacts.find(id) == RecordSet::kNone) {
            throw UsageError{"the host has no contact " + id};
        }
    }
    // As the host's own lookup: each contact once, in the order given.
    std::vector<std::string> ids;
    std::set<std::string> seen;
    for (const auto& id : operands_) {
        if (seen.insert(id).second) {
            ids.push_back(id);
        }
    }
    store.setCurrentLookup(ids);
    out_ << "The lookup shows " << ids.size() << " contacts\n";
}

void HostTool::setCurrentVerb() {
    expectArgs(1, 1);
    HostStore store(db_);
    if (store.loadRecords(TableKind::Contact).find(operands_[0]) == RecordSet::kNone) {
        throw UsageError{"the host has no contact " + operands_[0]};
    }
    store.setMeta("currentContact", operands_[0]);
    out_ << "The current contact is " << operands_[0] << "\n";
}

void HostTool::commandsVerb() {
    expectArgs(0, 0);
    HostStore store(db_);
    auto commands = store.auxCommands();
    if (commands.empty()) {
        out_ << "No auxiliary commands\n";
    }
    auto placements = store.placements();
    for (const auto& command : commands) {
        out_ << command.name << ": " << command.programPath << " (\"" << command.displayText
             << "\")\n";
        for (Place place : {Place::Toolbar, Place::ToolsMenu}) {
            std::string views;
            for (const auto& p : placements) {
                if (p.name == command.name && p.place == place) {
                    views += (views.empty() ? "" : ", ") + std::to_string(p.view);
                }
            }
            out_ << "  " << placeName(place) << ": " << (views.empty() ? "-" : "views " + views)
                 << "\n";
        }
    }
}

#ifdef _WIN32

void HostTool::registerVerb() {
    expectArgs(0, 0);
    const std::string library = serverLibrary();
    standin::registerServer(library);
    out_ << "The host's automation objects are registered (" << library << ")\n";
}

void HostTool::unregisterVerb() {
    expectArgs(0, 0);
    standin::unregisterServer();
    out_ << "The host's automation objects are no longer registered\n";
}

#else

// Automation objects and their registration exist on Windows alone.
void HostTool::registerVerb() {
    raise(kErrInvalidCall, "\"register\" works only on Windows");
}

void HostTool::unregisterVerb() {
    raise(kErrInvalidCall, "\"unregister\" works only on Windows");
}

#endif

}  // namespace bp::sim
