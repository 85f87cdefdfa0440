#include "app/EmbeddedHostFactory.h"

#include <filesystem>

#include "act/sim/SimHost.h"
#include "platform/Error.h"
#include "platform/PathText.h"

namespace bp::app {

EmbeddedHostFactory::EmbeddedHostFactory(std::string path, std::chrono::milliseconds busyWait)
    : path_(std::move(path)), busyWait_(busyWait) {}

std::unique_ptr<act::Host> EmbeddedHostFactory::open() const {
    std::error_code ec;
    if (!std::filesystem::exists(platform::pathFromUtf8(path_), ec)) {
        raise(kErrFileNotFound, "There is no contact database at " + path_ +
                                    ".\rCreate one with: brindlepath-host --db " + path_ + " demo");
    }
    try {
        return std::make_unique<sim::SimHost>(path_, busyWait_);
    } catch (const std::exception& e) {
        raise(kErrPathFileAccess,
              "The contact database " + path_ + " cannot be opened:\r" + e.what());
    }
}

}  // namespace bp::app
