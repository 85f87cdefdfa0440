// brindlepath-host as a user types it, run from the build tree.
#include <gtest/gtest.h>

#include <sstream>

#include "act/sim/DatasetJson.h"
#include "act/sim/HostStore.h"
#include "act/sim/HostTestSupport.h"
#ifdef _WIN32
#include <windows.h>

#include "platform/WinText.h"
#else
#include "support/FileSizeLimit.h"
#endif
#include "support/KillDuringSaves.h"

namespace bp::sim::test {
namespace {

class HostToolTest : public TempHostFolder {
protected:
    ToolResult tool(const std::vector<std::string>& arguments) { return runOnHost(arguments); }
    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> result;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            result.push_back(line);
        }
        return result;
    }
};

TEST_F(HostToolTest, DemoThenStatusAndLookup) {
    ToolResult demo = tool({"demo"});
    ASSERT_EQ(demo.exitCode, 0) << demo.output;
    EXPECT_NE(demo.output.find("500 contacts"), std::string::npos) << demo.output;

    ToolResult status = tool({"status"});
    ASSERT_EQ(status.exitCode, 0) << status.output;
    EXPECT_NE(status.output.find("contacts:         500\n"), std::string::npos) << status.output;
    EXPECT_NE(status.output.find("database open:    yes\n"), std::string::npos);
    EXPECT_NE(status.output.find("current lookup:   all contacts\n"), std::string::npos);

    ToolResult lookup = tool({"lookup"});
    ASSERT_EQ(lookup.exitCode, 0);
    auto ids = lines(lookup.output);
    ASSERT_EQ(ids.size(), 500u);
    EXPECT_EQ(ids.front(), "C00000000001");
    for (const auto& id : ids) {
        EXPECT_EQ(id.size(), 12u);
    }
}

TEST_F(HostToolTest, DemoSizeAndSeed) {
    ASSERT_EQ(tool({"demo", "--contacts", "40", "--seed", "3"}).exitCode, 0);
    EXPECT_EQ(HostStore(path("host.db")).recordCount(TableKind::Contact), 40);
    ToolResult first = tool({"export"});
    ASSERT_EQ(tool({"demo", "--contacts", "40", "--seed", "3"}).exitCode, 0);
    EXPECT_EQ(tool({"export"}).output, first.output);
}

TEST_F(HostToolTest, WithoutDbTheEnvironmentsHostIsUsed) {
    ToolResult demo = runTool({"demo", "--contacts", "5"});
    ASSERT_EQ(demo.exitCode, 0) << demo.output;
    EXPECT_TRUE(fs::exists(path("default-host.db")));
}

TEST_F(HostToolTest, WithoutAHostVariableTheUsersDataFolderIsUsed) {
    platform::test::ScopedEnv noHost("BRINDLEPATH_HOST", std::nullopt);
#ifdef _WIN32
    platform::test::ScopedEnv local("LOCALAPPDATA", path("local"));
    std::string expected = path("local") + "\\brindlepath\\host.db";
#else
    std::string expected = path("data") + "/brindlepath/host.db";
#endif
    ToolResult demo = runTool({"demo", "--contacts", "5"});
    ASSERT_EQ(demo.exitCode, 0) << demo.output;
    EXPECT_NE(demo.output.find("Created " + expected + ":"), std::string::npos) << demo.output;
    EXPECT_TRUE(fs::exists(expected));
}

TEST_F(HostToolTest, ImportOfADeviceIsRefusedAtOnce) {
#ifdef _WIN32
    ToolResult result = tool({"import", "NUL"});
#else
    ToolResult result = tool({"import", "/dev/zero"});
#endif
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.output.find("not a regular file"), std::string::npos) << result.output;
    EXPECT_FALSE(fs::exists(path("host.db")));
}

// On Linux the disk is full; Windows has no file size limit to fake that with, but there the
// earlier export is held open by another program that lets nobody replace it.
TEST_F(HostToolTest, AnExportThatCannotBeWrittenKeepsTheEarlierFile) {
    ASSERT_EQ(tool({"import", writeFile("small.json", kSmallDataset)}).exitCode, 0);
    std::string earlier = writeFile("out.json", "the earlier export");
    {
#ifdef _WIN32
        HANDLE held = ::CreateFileW(platform::toWide(earlier).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
#else
        bp::test::FileSizeLimit diskFull(0);  // the tool inherits it
        ASSERT_TRUE(diskFull.active());
#endif
        ToolResult result = tool({"export", earlier});
        EXPECT_NE(result.exitCode, 0);
        EXPECT_NE(result.output.find("cannot be written"), std::string::npos) << result.output;
#ifdef _WIN32
        ::CloseHandle(held);
#endif
    }
    std::ifstream in(earlier, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "the earlier export");
    EXPECT_EQ(bp::test::temporariesIn(dir_), 0);
}

// A device is written to as it is, not replaced.
TEST_F(HostToolTest, AnExportToADeviceWritesThroughIt) {
    ASSERT_EQ(tool({"import", writeFile("small.json", kSmallDataset)}).exitCode, 0);
#ifdef _WIN32
    ToolResult result = tool({"export", "NUL"});
#else
    ToolResult result = tool({"export", "/dev/null"});
#endif
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(result.output, "");
}

TEST_F(HostToolTest, ExportThenImportKeepsTheDataset) {
    std::string dataset = writeFile("small.json", kSmallDataset);
    ASSERT_EQ(tool({"import", dataset}).exitCode, 0);
    ASSERT_EQ(tool({"export", path("out.json")}).exitCode, 0);
    std::ifstream exported(path("out.json"));
    EXPECT_EQ(nlohmann::json::parse(exported), nlohmann::json::parse(kSmallDataset));
}

TEST_F(HostToolTest, ArgumentsWithSpacesAndQuotesReachTheToolWhole) {
    std::string dataset = writeFile("Ann's small set.json", kSmallDataset);
    ToolResult imported = tool({"import", dataset});
    ASSERT_EQ(imported.exitCode, 0) << imported.output;
    std::string target = path("export for Ann's team.json");
    ToolResult exported = tool({"export", target});
    ASSERT_EQ(exported.exitCode, 0) << exported.output;
    std::ifstream in(target, std::ios::binary);
    EXPECT_EQ(nlohmann::json::parse(in), nlohmann::json::parse(kSmallDataset));
    // A file name cannot hold a double quote on Windows, a contact ID can.
    const std::string odd = "C1 \"two\" 'three' \\";
    ToolResult refused = tool({"set-current", odd});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.output.find("the host has no contact " + odd + "\n"), std::string::npos)
        << refused.output;
}

// Text outside the ASCII range reaches the tool, and comes back, as UTF-8.
TEST_F(HostToolTest, ArgumentsOutsideAsciiReachTheToolAsUtf8) {
    ASSERT_EQ(tool({"import", writeFile("small.json", kSmallDataset)}).exitCode, 0);
    const std::string id = "C\xC3\x84rger-\xCE\xA9";  // "CÄrger-Ω"
    ToolResult refused = tool({"set-current", id});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.output.find("the host has no contact " + id + "\n"), std::string::npos)
        << refused.output;
}

// What the tool prints is the same bytes on every system: one line feed ends each line.
TEST_F(HostToolTest, ExportAndLookupPrintLineFeedsOnly) {
    ASSERT_EQ(tool({"import", writeFile("small.json", kSmallDataset)}).exitCode, 0);
    ASSERT_EQ(tool({"export", path("out.json")}).exitCode, 0);
    std::ifstream in(path("out.json"), std::ios::binary);
    std::stringstream written;
    written << in.rdbuf();
    EXPECT_EQ(written.str().find('\r'), std::string::npos);
    EXPECT_EQ(tool({"export"}).output, written.str());
    EXPECT_EQ(tool({"lookup"}).output, "C00000000002\nC00000000004\n");
}

TEST_F(HostToolTest, CloseAndOpen) {
    ASSERT_EQ(tool({"demo", "--contacts", "5"}).exitCode, 0);
    ASSERT_EQ(tool({"close"}).exitCode, 0);
    EXPECT_NE(tool({"status"}).output.find("database open:    no\n"), std::string::npos);
    ASSERT_EQ(tool({"open"}).exitCode, 0);
    ToolResult status = tool({"status"});
    EXPECT_NE(status.output.find("database open:    yes\n"), std::string::npos);
    EXPECT_NE(status.output.find("closed:           1 times\n"), std::string::npos);
}

struct BadCall {
    std::vector<std::string> arguments;
    const char* message;
};

TEST_F(HostToolTest, BadInputExitsWithTwoAndAMessage) {
    writeFile("bad.json", R"({"sales": [{"25": "C00000000001"}]})");
    const std::vector<BadCall> calls = {
        {{}, "no verb given"},
        {{"fly"}, "unknown verb \"fly\""},
        {{"demo", "--contacts", "many"}, "--contacts needs a whole number"},
        {{"demo", "--contacts", "-3"}, "--contacts needs a whole number"},
        {{"demo", "--seed"}, "--seed needs a value"},
        {{"status", "--verbose"}, "unknown option --verbose"},
        {{"import"}, "wrong number of arguments"},
        {{"import", "bad.json"}, "sales[0]: a record needs field 1"},
        {{"import", "missing.json"}, "missing.json: the file cannot be read"},
        {{"set-current", "C00000000099"}, "the host has no contact C00000000099"},
        {{"set-lookup", "C00000000001", "X"}, "the host has no contact X"},
        {{"lookup", "extra"}, "wrong number of arguments"},
    };
    ASSERT_EQ(tool({"import", writeFile("small.json", kSmallDataset)}).exitCode, 0);
    for (const auto& call : calls) {
        std::vector<std::string> arguments = call.arguments;
        if (arguments.size() == 2 && arguments[0] == "import") {
            arguments[1] = path(arguments[1]);
        }
        ToolResult result = tool(arguments);
        EXPECT_EQ(result.exitCode, 2) << call.message;
        EXPECT_NE(result.output.find(call.message), std::string::npos)
            << call.message << ": " << result.output;
    }
    // None of the refused calls touched the database.
    HostStore store(path("host.db"));
    EXPECT_EQ(DatasetJson::exportJson(store), nlohmann::json::parse(kSmallDataset));
}

TEST_F(HostToolTest, AMissingDatabaseIsExplained) {
    ToolResult status = tool({"status"});
    EXPECT_EQ(status.exitCode, 2);
    EXPECT_NE(status.output.find("There is no host database at"), std::string::npos);
    EXPECT_NE(status.output.find("brindlepath-host demo"), std::string::npos);
    EXPECT_FALSE(fs::exists(path("host.db")));
}

#ifdef _WIN32
TEST_F(HostToolTest, HelpListsTheRegistrationOfTheAutomationServer) {
    ToolResult help = runTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("  register "), std::string::npos) << help.output;
    EXPECT_NE(help.output.find("  unregister "), std::string::npos) << help.output;
}
#else
TEST_F(HostToolTest, RegistrationOfTheAutomationServerIsForWindowsOnly) {
    for (const char* verb : {"register", "unregister"}) {
        ToolResult result = runTool({verb});
        EXPECT_EQ(result.exitCode, 2) << verb;
        EXPECT_NE(result.output.find("works only on Windows"), std::string::npos) << result.output;
    }
    EXPECT_EQ(runTool({"--help"}).output.find("register"), std::string::npos);
}
#endif

TEST_F(HostToolTest, HelpIsNotAnError) {
    ToolResult help = runTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("usage: brindlepath-host"), std::string::npos);
}

}  // namespace
}  // namespace bp::sim::test
