#include "act/sim/DatasetJson.h"

#include <gtest/gtest.h>

#include "act/sim/HostStore.h"
#include "act/sim/HostTestSupport.h"
#include "platform/Error.h"
#include "support/KillDuringSaves.h"

namespace bp::sim::test {
namespace {

using nlohmann::json;

class DatasetJsonTest : public TempHostFolder {
protected:
    json exported() {
        HostStore store(path("host.db"));
        return DatasetJson::exportJson(store);
    }
    std::string importError(const std::string& text) {
        try {
            DatasetJson::importText(path("host.db"), text);
        } catch (const Error& e) {
            return e.description();
        }
        return "(accepted)";
    }
};

TEST_F(DatasetJsonTest, FaultsSurviveTheRoundTrip) {
    json dataset = json::parse(kSmallDataset);
    dataset["faults"] = {{"Register", 0}, {"hostRunning", false}, {"AddAuxCommand", 5}};
    DatasetJson::importJson(path("host.db"), dataset);
    EXPECT_EQ(exported(), dataset);
}

TEST_F(DatasetJsonTest, AbsentEntriesReadAsTheirDefaults) {
    DatasetJson::importText(path("host.db"), R"({"contacts": [{"1": "C00000000001"}]})");
    json dataset = exported();
    EXPECT_EQ(dataset["open"], true);
    EXPECT_FALSE(dataset.contains("currentLookup"));
    EXPECT_FALSE(dataset.contains("databasePath"));
    EXPECT_EQ(dataset["contacts"].size(), 1u);
}

struct BadDataset {
    const char* name;
    std::function<void(json&)> spoil;
    const char* message;
};

TEST_F(DatasetJsonTest, BadDatasetsAreRefusedNamingThePlace) {
    const std::vector<BadDataset> cases = {
        {"record without field 1", [](json& d) { d["sales"][1].erase("1"); },
         "sales[1]: a record needs field 1"},
        {"empty field 1", [](json& d) { d["groups"][0]["1"] = ""; },
         "groups[0]: a record needs field 1"},
        {"short ID", [](json& d) { d["contacts"][2]["1"] = "C3"; },
         "contacts[2]: field 1 must be a 12-character ID, not \"C3\""},
        {"ID used twice", [](json& d) { d["contacts"][3]["1"] = "C00000000001"; },
         "contacts[3]: the ID C00000000001 is used twice"},
        {"field key not a number", [](json& d) { d["sales"][0]["amount"] = "1"; },
         "sales[0]: \"amount\" is not a field number"},
        {"value not a text", [](json& d) { d["sales"][0]["34"] = 12.5; },
         "sales[0].34: expected a text"},
        {"unknown entry", [](json& d) { d["contact"] = json::array(); }, "contact: unknown entry"},
        {"type not a number", [](json& d) { d["salesFieldTypes"]["31"] = "date"; },
         "salesFieldTypes.31: expected a whole number"},
        {"records not a list", [](json& d) { d["sales"] = json::object(); },
         "sales: expected a list"},
        {"lookup ID too long", [](json& d) { d["currentLookup"][0] = "C000000000011"; },
         "currentLookup[0]: expected a 12-character contact ID"},
        {"user without id", [](json& d) { d["users"][1].erase("id"); },
         "users[1]: a user needs a 12-character \"id\""},
        {"field id beyond an int", [](json& d) { d["contactFields"][0]["id"] = 4294967373ULL; },
         "contactFields[0].id: 4294967373 is out of range"},
        {"field type beyond an int", [](json& d) { d["contactFields"][1]["type"] = -4294967295LL; },
         "contactFields[1].type: -4294967295 is out of range"},
        {"sales type beyond an int", [](json& d) { d["salesFieldTypes"]["31"] = 2147483648LL; },
         "salesFieldTypes.31: 2147483648 is out of range"},
        {"contact field defined twice", [](json& d) { d["contactFields"][1]["id"] = 25; },
         "contactFields[1].id: the field 25 is defined twice"},
        {"sales field typed twice", [](json& d) { d["salesFieldTypes"]["031"] = 7; },
         "salesFieldTypes.31: the field 31 is defined twice"},
        {"user ID used twice", [](json& d) { d["users"][1]["id"] = "U00000000001"; },
         "users[1]: the user ID U00000000001 is used twice"},
    };
    for (const auto& bad : cases) {
        json dataset = json::parse(kSmallDataset);
        bad.spoil(dataset);
        EXPECT_EQ(importError(dataset.dump()), bad.message) << bad.name;
    }
}

TEST_F(DatasetJsonTest, ARecordGivingOneFieldTwiceIsRefusedAndTheDatabaseKept) {
    DatasetJson::importText(path("host.db"), kSmallDataset);
    json leadingZero = json::parse(kSmallDataset);
    leadingZero["sales"][0]["034"] = "99.00";
    EXPECT_EQ(importError(leadingZero.dump()), "sales[0].34: the field 34 is given twice");
    json secondId = json::parse(kSmallDataset);
    secondId["contacts"][1]["01"] = "C00000000009";
    EXPECT_EQ(importError(secondId.dump()), "contacts[1].01: the field 1 is given twice");
    EXPECT_EQ(exported(), json::parse(kSmallDataset));
}

TEST_F(DatasetJsonTest, BrokenJsonIsRefusedWithItsPosition) {
    std::string message = importError("{\"contacts\": [\n{\"1\": }]}");
    EXPECT_EQ(message.rfind("dataset: bad JSON, parse error at line 2", 0), 0u) << message;
    EXPECT_EQ(importError("[1, 2]"), "dataset: expected an object");
}

TEST_F(DatasetJsonTest, ANumberBeyondADoubleIsRefusedAsBadJsonAndTheDatabaseKept) {
    DatasetJson::importText(path("host.db"), kSmallDataset);
    std::string message = importError(R"({"faults": {"Register": 1e999}})");
    EXPECT_EQ(message.rfind("dataset: bad JSON, ", 0), 0u) << message;
    EXPECT_EQ(exported(), json::parse(kSmallDataset));
}

TEST_F(DatasetJsonTest, RefusedImportKeepsTheOldDatabaseAndLeavesNoTemporaryFile) {
    DatasetJson::importText(path("host.db"), kSmallDataset);
    json bad = json::parse(kSmallDataset);
    bad["sales"][2].erase("1");
    EXPECT_THROW(DatasetJson::importJson(path("host.db"), bad), Error);
    EXPECT_EQ(exported(), json::parse(kSmallDataset));
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir_)) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

// A million levels of nesting, as the whole document and inside a record: refused with a
// message like any bad dataset, without running out of stack, and the database kept.
TEST_F(DatasetJsonTest, ADeeplyNestedDocumentIsRefusedAndTheDatabaseKept) {
    DatasetJson::importText(path("host.db"), kSmallDataset);
    const size_t depth = 1000000;
    const std::string deep = std::string(depth, '[') + std::string(depth, ']');
    EXPECT_NE(importError(deep), "(accepted)");
    EXPECT_NE(importError(R"({"contacts": [{"1": "C00000000009", "25": )" + deep + "}]}"),
              "(accepted)");
    EXPECT_NE(importError(R"({"contacts": )" + std::string(depth, '{') + "}"), "(accepted)");
    EXPECT_EQ(exported(), json::parse(kSmallDataset));
}

// A dataset on one line with a field of ten megabytes goes in and comes out whole.
TEST_F(DatasetJsonTest, AFieldOfTenMegabytesIsImportedWhole) {
    json dataset = json::parse(kSmallDataset);
    const std::string huge(10u << 20, 'n');
    dataset["contacts"][0]["26"] = huge;
    EXPECT_EQ(importError(dataset.dump()), "(accepted)");
    EXPECT_TRUE(exported()["contacts"][0]["26"] == huge);
}

TEST_F(DatasetJsonTest, MissingDatasetFileIsReportedWithItsPath) {
    try {
        DatasetJson::importFile(path("host.db"), path("nothing.json"));
        FAIL() << "a missing file was accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kErrFileNotFound);
        EXPECT_NE(e.description().find("nothing.json"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(path("host.db")));
}

// Imports killed at random points, a hundred and fifty times, alternating between two
// datasets: the host database always opens and holds one of them whole, and the next import
// removes the temporary database a killed one left.
TEST_F(DatasetJsonTest, AnImportKilledAnywhereLeavesOneWholeDatabase) {
#ifdef _WIN32
    GTEST_SKIP() << "The importers are forked children killed with signals";
#else
    // The small dataset with a few thousand contacts more, named after the side.
    auto larger = [](int side) {
        json dataset = json::parse(kSmallDataset);
        for (int i = 0; i < 3000; ++i) {
            std::string id = std::to_string(100000 + i);
            dataset["contacts"].push_back({{"1", "C" + std::string(11 - id.size(), '0') + id},
                                           {"25", (side ? "Borealis " : "Acme ") + id}});
        }
        return dataset;
    };
    const json datasets[] = {larger(0), larger(1)};
    json whole[2];
    for (int side = 0; side < 2; ++side) {
        DatasetJson::importJson(path("host.db"), datasets[side]);
        whole[side] = exported();
    }
    ASSERT_NE(whole[0], whole[1]);
    bp::test::KillRounds rounds;
    rounds.rounds = 150;
    rounds.save = [&](long version) {
        DatasetJson::importJson(path("host.db"), datasets[version % 2]);
    };
    rounds.versionOnDisk = [&]() -> long {
        json now = exported();
        EXPECT_TRUE(now == whole[0] || now == whole[1]) << "a database between two imports";
        return now == whole[1] ? 1 : 0;
    };
    EXPECT_GT(bp::test::killDuringSaves(rounds, dir_), 20);
    DatasetJson::importJson(path("host.db"), datasets[0]);
    EXPECT_EQ(bp::test::temporariesIn(dir_), 0);
    EXPECT_EQ(exported(), whole[0]);
#endif
}

TEST_F(DatasetJsonTest, OpeningAFileThatIsNoHostDatabaseIsRefused) {
    writeFile("other.db", "not a database at all, just text that is long enough");
    EXPECT_THROW(HostStore store(path("other.db")), Error);
    EXPECT_THROW(HostStore store(path("missing.db")), Error);
}

}  // namespace
}  // namespace bp::sim::test
