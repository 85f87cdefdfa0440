#pragma once
// Which host a start of the program works on. Real users on Windows have the contact manager
// running and the program attaches to it by automation. A named host database
// ($BRINDLEPATH_HOST) is opened directly instead, for demos and tests, unless
// BRINDLEPATH_ATTACH=automation asks for the automation objects anyway (the stand-in server
// then serves that database). Other systems have only the embedded host.

#include <string>

namespace bp::app {

enum class HostKind { Embedded, Automation };

// From the two variables' values ("" when unset) and whether automation exists here.
HostKind chooseHost(const std::string& hostVariable, const std::string& attachVariable,
                    bool automationAvailable);

// The choice for this process, from its environment.
HostKind chosenHost();

}  // namespace bp::app
