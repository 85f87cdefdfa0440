#pragma once
// Shared by the embedded host's tests: a temporary folder per test with every brindlepath
// location pointed into it, a small hand-written dataset, and running the built host tool.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/TestSupport.h"
#include "support/RunProgram.h"

namespace bp::sim::test {

namespace fs = std::filesystem;

inline const char* kSmallDataset = R"({
  "open": true,
  "databasePath": "/home/ann/Contacts/demo.dbf",
  "currentUser": "Ann Admin",
  "users": [{"id": "U00000000001", "name": "Ann Admin"},
            {"id": "U00000000002", "name": "Ben Baker"}],
  "contactFields": [{"id": 25, "label": "Company", "type": 1},
                    {"id": 26, "label": "Contact", "type": 1},
                    {"id": 6, "label": "Record Manager", "type": 13},
                    {"id": 3, "label": "Edit Date", "type": 10}],
  "salesFieldTypes": {"31": 7, "35": 7, "3": 10, "30": 5, "32": 5, "33": 6, "34": 6, "6": 13},
  "groupFieldTypes": {"25": 1, "201": 1},
  "contacts": [
    {"1": "C00000000001", "6": "U00000000001", "25": "Acme Ltd", "26": "Jo Smith"},
    {"1": "C00000000002", "6": "U00000000002", "25": "Globex", "26": "Sam Jones"},
    {"1": "C00000000003", "6": "U00000000001", "25": "", "26": "Pat Lee"},
    {"1": "C00000000004", "6": "U00000000002", "25": "Initech", "26": "Dana King"}
  ],
  "sales": [
    {"1": "S00000000001", "25": "C00000000001", "6": "U00000000001",
     "27": "Sales Opportunity", "34": "1250.50", "35": "3/14/2026 9:30:00 AM", "200": "Widget"},
    {"1": "S00000000002", "25": "C00000000002", "6": "U00000000002",
     "27": "Closed/Won Sale", "34": "80.00", "35": "1/2/2025 10:00:00 AM", "26": "G00000000001"},
    {"1": "S00000000003", "25": "C00000000001", "27": "Lost Sale", "39": "Proposal"}
  ],
  "groups": [{"1": "G00000000001", "25": "Key accounts", "201": "West"}],
  "lists": {"1": ["Widget", "Gadget"], "2": ["New", "Upgrade"], "3": ["Rival Inc"]},
  "salesStages": ["Prospect", "Qualified", "Proposal"],
  "currentLookup": ["C00000000002", "C00000000004"],
  "currentContact": "C00000000002"
})";

using ToolResult = bp::test::ProgramResult;

class TempHostFolder : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    std::string writeFile(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }

    // Runs the built tool as a user would start it; each argument reaches it as given.
    static ToolResult runTool(const std::vector<std::string>& arguments) {
        return bp::test::runProgram(bp::test::builtProgram("brindlepath-host"), arguments);
    }

    // The tool on the test's own host database.
    ToolResult runOnHost(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), {"--db", path("host.db")});
        return runTool(arguments);
    }

    platform::test::TempFolder temp_;
    fs::path dir_ = temp_.path();

private:
    platform::test::ScopedEnv hostPath_{"BRINDLEPATH_HOST", temp_.file("default-host.db")};
    platform::test::ScopedEnv data_{"XDG_DATA_HOME", temp_.file("data")};
    platform::test::ScopedEnv config_{"XDG_CONFIG_HOME", temp_.file("config")};
    platform::test::ScopedEnv settings_{"BRINDLEPATH_SETTINGS", temp_.file("settings.ini")};
    platform::test::ScopedEnv home_{"BRINDLEPATH_HOME", temp_.path().string()};
};

}  // namespace bp::sim::test
