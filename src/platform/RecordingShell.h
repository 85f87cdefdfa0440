#pragma once
// A shell that only records what it was asked to open: for tests of the layers above.

#include <string>
#include <vector>

#include "platform/Shell.h"

namespace bp::platform {

class RecordingShell : public Shell {
public:
    struct Call {
        std::string path;
        std::string workingFolder;
        bool operator==(const Call&) const = default;
    };

    bool open(const std::string& path, const std::string& workingFolder) override;
    const std::vector<Call>& calls() const { return calls_; }

private:
    std::vector<Call> calls_;
};

}  // namespace bp::platform
