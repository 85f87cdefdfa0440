#include "platform/RecordingShell.h"

namespace bp::platform {

bool RecordingShell::open(const std::string& path, const std::string& workingFolder) {
    calls_.push_back(Call{path, workingFolder});
    return true;
}

}  // namespace bp::platform
