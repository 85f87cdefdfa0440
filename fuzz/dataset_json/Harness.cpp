// The host dataset as the host tool imports it. Whatever the text: no crash; a refused text
// raises a bad-argument error and leaves the database it was imported over exactly as it was,
// with no temporary file beside it; an accepted one exports as what it said (every record's
// fields, the users, types, lists, stages, lookup and faults), and that export imports into a
// database that exports the same again.

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <system_error>

#include "FuzzCheck.h"
#include "act/sim/DatasetJson.h"
#include "act/sim/HostErrors.h"
#include "act/sim/HostStore.h"
#include "platform/Error.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// A small dataset touching every entry the importer knows; the database holding it is the one
// every fuzzed text is imported over.
const char* const kKept = R"({
  "open": false,
  "databasePath": "/home/ann/Contacts/kept.dbf",
  "currentUser": "Ann Admin",
  "users": [{"id": "U00000000001", "name": "Ann Admin"}, {"id": "U00000000002", "name": ""}],
  "contactFields": [{"id": 25, "label": "Company", "type": 1}, {"id": 6, "label": "", "type": 13}],
  "salesFieldTypes": {"34": 6, "35": 7},
  "groupFieldTypes": {"201": 1},
  "contacts": [{"1": "C00000000001", "25": "Acme Ltd", "6": "U00000000001"},
               {"1": "C00000000002", "25": ""}],
  "sales": [{"1": "S00000000001", "25": "C00000000001", "34": "12.50"}],
  "groups": [{"1": "G00000000001", "201": "West"}],
  "lists": {"1": ["Widget"], "3": ["Rival Inc", "Other"]},
  "salesStages": ["Prospect", "Won"],
  "currentLookup": ["C00000000002"],
  "currentContact": "C00000000001",
  "faults": {"Register": 0, "hostRunning": false, "Sales.Data": {"number": 438, "after": 1}}
})";

std::string dbPath(const char* name) {
    return (bp::fuzz::Scratch::folder() / name).string();
}

json exported(const std::string& path) {
    bp::sim::HostStore store(path);
    return bp::sim::DatasetJson::exportJson(store);
}

// The kept database as first imported: a pristine copy restores it after an accepted import,
// so every input meets the same database.
struct Kept {
    std::string path = dbPath("kept.db");
    std::string pristine = dbPath("pristine.db");
    json dataset;

    Kept() {
        bp::sim::DatasetJson::importText(pristine, kKept);
        dataset = exported(pristine);
        BP_FUZZ_CHECK(dataset == json::parse(kKept));
        restore();
    }
    void restore() const { fs::copy_file(pristine, path, fs::copy_options::overwrite_existing); }
};

const Kept& kept() {
    static const Kept instance;
    return instance;
}

// Only the harness's own databases: an import that failed took its temporary file with it.
bool onlyTheDatabases() {
    for (const auto& entry : fs::directory_iterator(bp::fuzz::Scratch::folder())) {
        const std::string name = entry.path().filename().string();
        if (name != "kept.db" && name != "pristine.db" && name != "again.db") {
            return false;
        }
    }
    return true;
}

// A field number as the importer reads a record's or type map's key ("031" is field 31).
int number(const std::string& key) {
    return std::stoi(key);
}

std::map<int, json> byNumber(const json& object) {
    std::map<int, json> result;
    for (const auto& [key, value] : object.items()) {
        const auto [at, added] = result.emplace(number(key), value);
        // One number given twice with two values cannot read back as both.
        BP_FUZZ_CHECK(added || at->second == value);
    }
    return result;
}

json orDefault(const json& dataset, const char* key, json fallback) {
    return dataset.contains(key) ? dataset[key] : fallback;
}

void checkRecords(const json& given, const json& out) {
    BP_FUZZ_CHECK(given.size() == out.size());
    for (std::size_t i = 0; i < given.size(); ++i) {
        BP_FUZZ_CHECK(byNumber(given[i]) == byNumber(out[i]));
    }
}

// The accepted dataset `given` against its export: what the importer took in, the host holds.
void checkExportMatches(const json& given, const json& out) {
    BP_FUZZ_CHECK(out["open"] == given.value("open", true));
    for (const char* key :
         {"databasePath", "currentUser", "currentContact", "currentLookup", "faults"}) {
        BP_FUZZ_CHECK(given.contains(key) == out.contains(key));
        BP_FUZZ_CHECK(!given.contains(key) || given[key] == out[key]);
    }
    const json users = orDefault(given, "users", json::array());
    BP_FUZZ_CHECK(users.size() == out["users"].size());
    for (std::size_t i = 0; i < users.size(); ++i) {
        BP_FUZZ_CHECK(out["users"][i]["id"] == users[i]["id"]);
        BP_FUZZ_CHECK(out["users"][i]["name"] == users[i].value("name", ""));
    }
    const json fields = orDefault(given, "contactFields", json::array());
    BP_FUZZ_CHECK(fields.size() == out["contactFields"].size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        BP_FUZZ_CHECK(out["contactFields"][i]["id"] == fields[i]["id"]);
        BP_FUZZ_CHECK(out["contactFields"][i]["label"] == fields[i].value("label", ""));
        BP_FUZZ_CHECK(out["contactFields"][i]["type"] == fields[i].value("type", 1));
    }
    for (const char* key : {"salesFieldTypes", "groupFieldTypes"}) {
        BP_FUZZ_CHECK(byNumber(orDefault(given, key, json::object())) == byNumber(out[key]));
    }
    for (const char* key : {"contacts", "sales", "groups"}) {
        checkRecords(orDefault(given, key, json::array()), out[key]);
    }
    // A kind without entries leaves nothing in the database to export.
    const json givenLists = orDefault(given, "lists", json::object());
    json lists = json::object();
    for (const auto& [kind, entries] : givenLists.items()) {
        if (!entries.empty()) {
            lists[kind] = entries;
        }
    }
    BP_FUZZ_CHECK(lists == out["lists"]);
    BP_FUZZ_CHECK(orDefault(given, "salesStages", json::array()) == out["salesStages"]);
}

void accepted(const std::string& text) {
    const json first = exported(kept().path);
    checkExportMatches(json::parse(text), first);
    const std::string again = dbPath("again.db");
    bp::sim::DatasetJson::importText(again, first.dump());
    BP_FUZZ_CHECK(exported(again) == first);
    kept().restore();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(bp::fuzz::bytes(data, size));
    bool refused = false;
    try {
        bp::sim::DatasetJson::importText(kept().path, text);
    } catch (const bp::Error& e) {
        BP_FUZZ_CHECK(e.number() == bp::sim::kErrHostInvalidArgument);
        refused = true;
    }
    if (refused) {
        BP_FUZZ_CHECK(exported(kept().path) == kept().dataset);
    } else {
        accepted(text);
    }
    BP_FUZZ_CHECK(onlyTheDatabases());
    return 0;
}
