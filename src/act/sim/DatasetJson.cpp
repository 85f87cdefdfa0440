#include "act/sim/DatasetJson.h"

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>

#include "act/sim/HostErrors.h"
#include "act/sim/HostWriter.h"
#include "platform/Error.h"
#include "platform/File.h"

namespace bp::sim {

using nlohmann::json;

namespace {

[[noreturn]] void refuse(const std::string& place, const std::string& problem) {
    raise(kErrHostInvalidArgument, place + ": " + problem);
}

const std::set<std::string> kTopLevelKeys = {
    "open",          "databasePath",    "currentUser",     "users",
    "contactFields", "salesFieldTypes", "groupFieldTypes", "contacts",
    "sales",         "groups",          "lists",           "salesStages",
    "currentLookup", "currentContact",  "faults"};

// The program cuts ID lists into 13-character slots, so an ID of another length or with a
// control character would shift every later entry.
bool isUniqueId(const std::string& id) {
    if (id.size() != 12) {
        return false;
    }
    for (char c : id) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return false;
        }
    }
    return true;
}

const std::string& text(const json& value, const std::string& place) {
    if (!value.is_string()) {
        refuse(place, "expected a text");
    }
    return value.get_ref<const std::string&>();
}

// A number beyond the range of an int is refused rather than cut to its low bits, where
// 4294967373 would quietly become field 77.
int integer(const json& value, const std::string& place) {
    if (!value.is_number_integer()) {
        refuse(place, "expected a whole number");
    }
    const bool fits = value.is_number_unsigned()
                          ? value.get<std::uint64_t>() <= std::numeric_limits<int>::max()
                          : value.get<std::int64_t>() >= std::numeric_limits<int>::min() &&
                                value.get<std::int64_t>() <= std::numeric_limits<int>::max();
    if (!fits) {
        refuse(place, value.dump() + " is out of range");
    }
    return value.get<int>();
}

const json& array(const json& value, const std::string& place) {
    if (!value.is_array()) {
        refuse(place, "expected a list");
    }
    return value;
}

const json& object(const json& value, const std::string& place) {
    if (!value.is_object()) {
        refuse(place, "expected an object");
    }
    return value;
}

int fieldNumber(const std::string& key, const std::string& place) {
    bool digits =
        !key.empty() && key.size() <= 5 && key.find_first_not_of("0123456789") == std::string::npos;
    int number = digits ? std::stoi(key) : 0;
    if (number < 1 || number > 65535) {
        refuse(place, "\"" + key + "\" is not a field number");
    }
    return number;
}

class Importer {
public:
    Importer(const std::string& dbPath, const json& dataset) : writer_(dbPath), dataset_(dataset) {}

    void run() {
        object(dataset_, "dataset");
        for (const auto& [key, value] : dataset_.items()) {
            if (!kTopLevelKeys.contains(key)) {
                refuse(key, "unknown entry");
            }
        }
        scalars();
        users();
        fieldTypes();
        records("contacts", TableKind::Contact);
        records("sales", TableKind::Sales);
        records("groups", TableKind::Group);
        lists();
        lookup();
        faults();
        writer_.commit();
    }

private:
    void scalars() {
        if (dataset_.contains("open") && !dataset_["open"].is_boolean()) {
            refuse("open", "expected true or false");
        }
        writer_.setMeta("open", dataset_.value("open", true) ? "1" : "0");
        for (const char* key : {"databasePath", "currentUser", "currentContact"}) {
            if (dataset_.contains(key)) {
                writer_.setMeta(key, text(dataset_[key], key));
            }
        }
    }

    void users() {
        if (!dataset_.contains("users")) {
            return;
        }
        std::set<std::string> seen;
        std::size_t i = 0;
        for (const auto& user : array(dataset_["users"], "users")) {
            std::string place = "users[" + std::to_string(i++) + "]";
            object(user, place);
            if (!user.contains("id") || !isUniqueId(text(user["id"], place + ".id"))) {
                refuse(place, "a user needs a 12-character \"id\"");
            }
            // Sales records name their manager by this ID: two users with one ID would make
            // every record of one of them read as the other's.
            if (!seen.insert(user["id"].get<std::string>()).second) {
                refuse(place, "the user ID " + user["id"].get<std::string>() + " is used twice");
            }
            std::string name = user.contains("name") ? text(user["name"], place + ".name") : "";
            writer_.addUser({user["id"].get<std::string>(), name});
        }
    }

    void fieldTypes() {
        if (dataset_.contains("contactFields")) {
            std::set<int> seen;
            std::size_t i = 0;
            for (const auto& field : array(dataset_["contactFields"], "contactFields")) {
                std::string place = "contactFields[" + std::to_string(i++) + "]";
                object(field, place);
                if (!field.contains("id")) {
                    refuse(place, "a field needs an \"id\"");
                }
                FieldDef def{integer(field["id"], place + ".id"), "", 1};
                if (def.id < 1 || def.id > 65535) {
                    refuse(place + ".id", "not a field number");
                }
                if (!seen.insert(def.id).second) {
                    refuse(place + ".id",
                           "the field " + std::to_string(def.id) + " is defined twice");
                }
                if (field.contains("label")) {
                    def.label = text(field["label"], place + ".label");
                }
                if (field.contains("type")) {
                    def.type = integer(field["type"], place + ".type");
                }
                writer_.addField(TableKind::Contact, def);
            }
        }
        typeMap("salesFieldTypes", TableKind::Sales);
        typeMap("groupFieldTypes", TableKind::Group);
    }

    void typeMap(const char* key, TableKind kind) {
        if (!dataset_.contains(key)) {
            return;
        }
        std::set<int> seen;
        for (const auto& [field, type] : object(dataset_[key], key).items()) {
            std::string place = std::string(key) + "." + field;
            const int number = fieldNumber(field, place);
            // "31" and "031" name the same field.
            if (!seen.insert(number).second) {
                refuse(place, "the field " + std::to_string(number) + " is defined twice");
            }
            writer_.addField(kind, {number, "", integer(type, place)});
        }
    }

    void records(const char* key, TableKind kind) {
        if (!dataset_.contains(key)) {
            return;
        }
        std::set<std::string> seen;
        std::size_t i = 0;
        for (const auto& record : array(dataset_[key], key)) {
            std::string place = std::string(key) + "[" + std::to_string(i++) + "]";
            writer_.addRecord(kind, RecordSet::pack(fields(record, place, seen)));
        }
    }

    FieldValues fields(const json& record, const std::string& place, std::set<std::string>& seen) {
        object(record, place);
        if (!record.contains("1") || !record["1"].is_string() ||
            record["1"].get_ref<const std::string&>().empty()) {
            refuse(place, "a record needs field 1");
        }
        const std::string& id = record["1"].get_ref<const std::string&>();
        if (!isUniqueId(id)) {
            refuse(place, "field 1 must be a 12-character ID, not \"" + id + "\"");
        }
        if (!seen.insert(id).second) {
            refuse(place, "the ID " + id + " is used twice");
        }
        FieldValues values{{1, id}};
        std::set<int> numbers{1};
        for (const auto& [key, value] : record.items()) {
            int number = fieldNumber(key, place);
            if (key == "1") {
                continue;
            }
            // "25" and "025" name one field: the host would read the first value and an
            // export write the last, and field 1 would keep an ID beside another value.
            if (!numbers.insert(number).second) {
                refuse(place + "." + key,
                       "the field " + std::to_string(number) + " is given twice");
            }
            values.emplace_back(number, text(value, place + "." + key));
        }
        return values;
    }

    void lists() {
        if (dataset_.contains("lists")) {
            for (const auto& [kind, entries] : object(dataset_["lists"], "lists").items()) {
                std::size_t i = 0;
                for (const auto& entry : array(entries, "lists." + kind)) {
                    std::string place = "lists." + kind + "[" + std::to_string(i++) + "]";
                    writer_.addListEntry(kind, text(entry, place));
                }
            }
        }
        if (dataset_.contains("salesStages")) {
            std::size_t i = 0;
            for (const auto& stage : array(dataset_["salesStages"], "salesStages")) {
                writer_.addSalesStage(text(stage, "salesStages[" + std::to_string(i++) + "]"));
            }
        }
    }

    void lookup() {
        if (!dataset_.contains("currentLookup")) {
            return;
        }
        std::vector<std::string> ids;
        std::size_t i = 0;
        for (const auto& id : array(dataset_["currentLookup"], "currentLookup")) {
            std::string place = "currentLookup[" + std::to_string(i++) + "]";
            if (!isUniqueId(text(id, place))) {
                refuse(place, "expected a 12-character contact ID");
            }
            ids.push_back(id.get<std::string>());
        }
        writer_.setCurrentLookup(ids);
    }

    void faults() {
        if (!dataset_.contains("faults")) {
            return;
        }
        for (const auto& [member, fault] : object(dataset_["faults"], "faults").items()) {
            std::string place = "faults." + member;
            if (member == "hostRunning") {
                if (!fault.is_boolean()) {
                    refuse(place, "expected true or false");
                }
            } else if (fault.is_object()) {
                // The host reads these back each time it opens the database: one it cannot
                // read there would fail every open, and writing deeply nested values back
                // out would exhaust the stack.
                for (const auto& [key, value] : fault.items()) {
                    if (key == "description") {
                        text(value, place + ".description");
                    } else if (key != "number" && key != "after") {
                        refuse(place + "." + key, "unknown entry");
                    }
                }
                integer(fault.value("number", json()), place + ".number");
                if (fault.contains("after")) {
                    integer(fault["after"], place + ".after");
                }
            } else {
                integer(fault, place);
            }
        }
        writer_.setMeta("faults", dataset_["faults"].dump());
    }

    HostWriter writer_;
    const json& dataset_;
};

json recordsJson(const RecordSet& records) {
    json result = json::array();
    for (std::uint32_t i = 0; i < records.size(); ++i) {
        json record = json::object();
        for (const auto& [field, value] : records.fields(i)) {
            record[std::to_string(field)] = value;
        }
        result.push_back(std::move(record));
    }
    return result;
}

json typesJson(const std::vector<FieldDef>& defs) {
    json result = json::object();
    for (const auto& def : defs) {
        result[std::to_string(def.id)] = def.type;
    }
    return result;
}

}  // namespace

void DatasetJson::importJson(const std::string& dbPath, const json& dataset) {
    Importer(dbPath, dataset).run();
}

void DatasetJson::importText(const std::string& dbPath, const std::string& jsonText) {
    json dataset;
    try {
        dataset = json::parse(jsonText);
    } catch (const json::exception& e) {
        // Not only a syntax error: a number beyond a double (1e999) is refused as out of range.
        std::string what = e.what();
        auto at = what.find("parse error");
        refuse("dataset", "bad JSON, " + what.substr(at == std::string::npos ? 0 : at));
    }
    importJson(dbPath, dataset);
}

void DatasetJson::importFile(const std::string& dbPath, const std::string& jsonPath) {
    std::string text;
    if (int err = platform::readWholeFile(jsonPath, kMaxFileBytes, text); err != 0) {
        raise(kErrFileNotFound,
              jsonPath + ": the file cannot be read (" +
                  (err == platform::kErrnoFileTooLarge ? std::string("larger than 2 GB")
                                                       : platform::systemErrorText(err)) +
                  ")");
    }
    try {
        importText(dbPath, text);
    } catch (const Error& e) {
        raise(e.number(), jsonPath + ": " + e.description());
    }
}

json DatasetJson::exportJson(HostStore& store) {
    json dataset = json::object();
    dataset["open"] = store.meta("open", "1") == "1";
    for (const char* key : {"databasePath", "currentUser", "currentContact"}) {
        if (auto value = store.meta(key)) {
            dataset[key] = *value;
        }
    }
    dataset["users"] = json::array();
    for (const auto& user : store.users()) {
        dataset["users"].push_back({{"id", user.id}, {"name", user.name}});
    }
    dataset["contactFields"] = json::array();
    for (const auto& def : store.fieldDefs(TableKind::Contact)) {
        dataset["contactFields"].push_back(
            {{"id", def.id}, {"label", def.label}, {"type", def.type}});
    }
    dataset["salesFieldTypes"] = typesJson(store.fieldDefs(TableKind::Sales));
    dataset["groupFieldTypes"] = typesJson(store.fieldDefs(TableKind::Group));
    dataset["contacts"] = recordsJson(store.loadRecords(TableKind::Contact));
    dataset["sales"] = recordsJson(store.loadRecords(TableKind::Sales));
    dataset["groups"] = recordsJson(store.loadRecords(TableKind::Group));
    dataset["lists"] = json::object();
    for (const auto& [kind, entries] : store.lists()) {
        dataset["lists"][kind] = entries;
    }
    dataset["salesStages"] = store.salesStages();
    if (auto lookup = store.currentLookup()) {
        dataset["currentLookup"] = *lookup;
    }
    if (auto faults = store.meta("faults")) {
        dataset["faults"] = json::parse(*faults);
    }
    return dataset;
}

}  // namespace bp::sim
