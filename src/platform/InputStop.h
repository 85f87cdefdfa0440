#pragma once
// The started side of ChildProcess: a program doing work for another one is asked to stop
// when its standard input ends (the starter closed it, or ended itself) or brings a line
// "cancel". Never blocks. The implementations are PosixInputStop.cpp and WinInputStop.cpp.

#include <string_view>

namespace bp::platform {

// True once standard input has asked to stop; stays true from then on.
bool inputAsksToStop();

// True when `text` read from standard input holds a line asking to stop.
bool holdsStopLine(std::string_view text);

}  // namespace bp::platform
