#include "output/KeptFile.h"

#include <filesystem>
#include <system_error>

#include "platform/PathText.h"
#include "platform/SaveFile.h"

namespace bp::output {
namespace {

namespace fs = std::filesystem;

}  // namespace

KeptFile::KeptFile(std::string path) : path_(std::move(path)) {
    std::error_code error;
    existed_ = fs::exists(platform::pathFromUtf8(path_), error);
    if (!existed_) {
        return;
    }
    std::string kept = platform::temporarySibling(path_, "kept");
    fs::create_hard_link(platform::pathFromUtf8(path_), platform::pathFromUtf8(kept), error);
    if (!error) {
        kept_ = kept;
    }
    // FIXME: on a file system without hard links the earlier file cannot be put back.
}

KeptFile::~KeptFile() {
    if (!kept_.empty()) {
        std::error_code error;
        fs::remove(platform::pathFromUtf8(kept_), error);
    }
}

void KeptFile::putBack() {
    std::error_code error;
    if (!kept_.empty()) {
        fs::rename(platform::pathFromUtf8(kept_), platform::pathFromUtf8(path_), error);
        if (!error) {
            kept_.clear();
        }
    } else if (!existed_) {
        fs::remove(platform::pathFromUtf8(path_), error);
    }
}

}  // namespace bp::output
