// The lookup file the host reads with LoadLookupQuery. Whatever the bytes: no crash, a file
// that is no lookup is refused as one of another kind, and the IDs of one that reads are
// non-empty lines; written back they read as the same IDs in the same order, and the file
// written is exactly the header and one ID a line.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "act/sim/LookupFile.h"
#include "platform/Error.h"

namespace {

using bp::sim::LookupFile;

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string expectedText(const std::vector<std::string>& ids) {
    std::string text = std::string(LookupFile::kHeader) + '\n';
    for (const auto& id : ids) {
        text += id + '\n';
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = bp::fuzz::Scratch::file("fuzzed.lku");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bp::fuzz::bytes(data, size);
    std::vector<std::string> ids;
    try {
        ids = LookupFile::read(path);
    } catch (const bp::Error& e) {
        BP_FUZZ_CHECK(e.number() == bp::kErrTypeMismatch);
        return 0;
    }
    for (const auto& id : ids) {
        BP_FUZZ_CHECK(!id.empty() && id.find('\n') == std::string::npos);
    }
    const std::string again = bp::fuzz::Scratch::file("again.lku");
    LookupFile::write(again, ids);
    BP_FUZZ_CHECK(contents(again) == expectedText(ids));
    BP_FUZZ_CHECK(LookupFile::read(again) == ids);
    return 0;
}
