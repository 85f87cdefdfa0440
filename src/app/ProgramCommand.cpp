#include "app/ProgramCommand.h"

namespace bp::app {

ProgramCommand parseProgramCommand(const std::vector<std::string>& args) {
    using Kind = ProgramCommand::Kind;
    if (args.empty()) {
        return {};
    }
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args.front() == "--run") {
        // BatchRun reads its own words and says what is wrong with them.
        return {Kind::Run, rest, {}};
    }
    if (args.front() == "--screenshots") {
        if (rest.size() != 1) {
            return {Kind::Unknown, {}, "--screenshots needs one folder"};
        }
        return {Kind::Screenshots, rest, {}};
    }
    if (args.front() == "--integrate") {
        if (!rest.empty()) {
            return {Kind::Unknown, {}, "unexpected " + rest.front() + " after --integrate"};
        }
        return {Kind::Integrate, {}, {}};
    }
    return {Kind::Unknown, {}, "unknown option " + args.front()};
}

int printUsage(std::ostream& err, std::string_view problem, UsageLine line) {
    err << "brindlepath: " << problem << "\n";
    if (line == UsageLine::AllCommands) {
        err << "usage: brindlepath [--integrate | --screenshots DIR | --run [SELECTION.ini] "
               "[--out FILE | --count]]\n";
    } else {
        err << "usage: brindlepath --run [SELECTION.ini] [--out FILE | --count]\n";
    }
    return kUsageError;
}

}  // namespace bp::app
