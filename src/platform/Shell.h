#pragma once
// The shell's "open": a document, workbook or web page handed to the desktop, which picks
// the program to show it. Started and left alone; whether it opened is not examined by the
// program's routines.

#include <string>

namespace bp::platform {

class Shell {
public:
    virtual ~Shell() = default;
    // Returns whether an opener was started (false when suppressed or none is installed).
    virtual bool open(const std::string& path, const std::string& workingFolder) = 0;
};

}  // namespace bp::platform
