#pragma once
// brindlepath-host: creates, inspects and drives the embedded host's database from a shell,
// as the host's user would (closing the host, changing its lookup or current contact).
//   brindlepath-host [--db PATH] VERB [ARGS]
// Exit status 0 on success, 2 with a message on bad input or a failed verb.

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace bp::sim {

class HostStore;

class HostTool {
public:
    static constexpr int kOk = 0;
    static constexpr int kBadInput = 2;

    HostTool(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
    int run(const std::vector<std::string>& args);

private:
    using Verb = void (HostTool::*)();

    void parse(const std::vector<std::string>& args);
    void usage(std::ostream& to) const;
    const std::string& takeValue(const std::vector<std::string>& args, std::size_t& i) const;
    void expectArgs(std::size_t least, std::size_t most) const;

    void importVerb();
    void demoVerb();
    void exportVerb();
    static void writeExport(const std::string& path, const std::string& text);
    void lookupVerb();
    void statusVerb();
    void openVerb();
    void closeVerb();
    void setLookupVerb();
    void setCurrentVerb();
    void commandsVerb();
    void registerVerb();
    void unregisterVerb();

    std::ostream& out_;
    std::ostream& err_;
    std::string db_;
    std::string verb_;
    std::vector<std::string> operands_;
    std::map<std::string, std::string> options_;
};

}  // namespace bp::sim
