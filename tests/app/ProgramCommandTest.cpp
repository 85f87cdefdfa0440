#include "app/ProgramCommand.h"

#include <gtest/gtest.h>

#include <sstream>

namespace bp::app {
namespace {

using Kind = ProgramCommand::Kind;

TEST(ProgramCommandTest, TheWordsOfTheCommandLine) {
    const struct {
        const char* name;
        std::vector<std::string> args;
        Kind kind;
        std::vector<std::string> operands;
        std::string problem;
    } cases[] = {
        {"nothing opens the windows", {}, Kind::Desktop, {}, ""},
        {"a run takes every word after it",
         {"--run", "a.ini", "--out", "x.csv"},
         Kind::Run,
         {"a.ini", "--out", "x.csv"},
         ""},
        {"a run alone", {"--run"}, Kind::Run, {}, ""},
        {"screenshots of one folder", {"--screenshots", "shots"}, Kind::Screenshots, {"shots"}, ""},
        {"screenshots without a folder",
         {"--screenshots"},
         Kind::Unknown,
         {},
         "--screenshots needs one folder"},
        {"screenshots of two folders",
         {"--screenshots", "a", "b"},
         Kind::Unknown,
         {},
         "--screenshots needs one folder"},
        {"the integration dialog alone", {"--integrate"}, Kind::Integrate, {}, ""},
        {"the integration dialog takes no file",
         {"--integrate", "x.ini"},
         Kind::Unknown,
         {},
         "unexpected x.ini after --integrate"},
        {"an unknown option is named", {"--Run"}, Kind::Unknown, {}, "unknown option --Run"},
        {"a bare file is no command",
         {"sélection.ini"},
         Kind::Unknown,
         {},
         "unknown option sélection.ini"},
    };
    for (const auto& c : cases) {
        ProgramCommand command = parseProgramCommand(c.args);
        EXPECT_EQ(command.kind, c.kind) << c.name;
        EXPECT_EQ(command.operands, c.operands) << c.name;
        EXPECT_EQ(command.problem, c.problem) << c.name;
    }
}

TEST(ProgramCommandTest, TheUsageNamesWhatTheBuildOffers) {
    std::ostringstream all;
    EXPECT_EQ(printUsage(all, "unknown option -x", UsageLine::AllCommands), kUsageError);
    EXPECT_EQ(all.str(),
              "brindlepath: unknown option -x\n"
              "usage: brindlepath [--integrate | --screenshots DIR | --run [SELECTION.ini] "
              "[--out FILE | --count]]\n");
    std::ostringstream run;
    EXPECT_EQ(printUsage(run, "no windows", UsageLine::RunOnly), kUsageError);
    EXPECT_EQ(run.str(),
              "brindlepath: no windows\n"
              "usage: brindlepath --run [SELECTION.ini] [--out FILE | --count]\n");
}

}  // namespace
}  // namespace bp::app
