#pragma once
// brindlepath --run [SELECTION.ini] [--out FILE | --count]: one selection without windows. The main
// window is loaded and restored as at a normal start, the selection file's [Settings] keys
// stand in front of the stored ones for this run only, and the run button is pressed. Messages
// go to standard error as "title: text"; the save dialog is answered with --out.
//
// Exit status: 0 the run completed, 1 it stopped (with a message, a cancelled save or a
// cancelled run),
// 2 a usage or start-up failure.
//
// With --count nothing is run: the numbers the live match count would show go to `out`
// (BatchRunCount.h), and the exit status is 0 when counted, 1 when the choices or the host
// stopped the count.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/HostFactory.h"

namespace bp::app {

// `args` are the words after "--run". When `errIsTerminal`, long work draws a progress bar
// on `err` once it has taken a second ($BRINDLEPATH_PROGRESS_AFTER_MS changes the wait).
int runBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             bool errIsTerminal = false);
// The same on the host `hostFactory` opens.
int runBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             std::unique_ptr<HostFactory> hostFactory, bool errIsTerminal = false);

}  // namespace bp::app
