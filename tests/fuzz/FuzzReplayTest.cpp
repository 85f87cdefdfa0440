// Every seed of one harness and every input a fuzzing run once broke it with, fed through the
// harness's entry point: a finding stays found. A broken invariant aborts the case, so ctest
// names the file that broke it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzCheck.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputs() {
    std::vector<fs::path> files;
    for (const char* folder :
         {"/fuzz/" BP_FUZZ_HARNESS "/corpus", "/tests/fuzz-regressions/" BP_FUZZ_HARNESS}) {
        fs::path dir = fs::path(BRINDLEPATH_TEST_SOURCE_DIR).concat(folder);
        if (!fs::is_directory(dir)) {
            continue;
        }
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.is_regular_file()) {
                files.push_back(entry.path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string caseName(const testing::TestParamInfo<fs::path>& info) {
    std::string name =
        info.param.parent_path().filename().string() + "_" + info.param.filename().string();
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name + "_" + std::to_string(info.index);
}

class FuzzReplay : public testing::TestWithParam<fs::path> {};

TEST_P(FuzzReplay, RunsThroughTheHarness) {
    std::ifstream in(GetParam(), std::ios::binary);
    ASSERT_TRUE(in) << GetParam();
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::fprintf(stderr, "replaying %s\n", GetParam().c_str());
    EXPECT_EQ(0, LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                        bytes.size()));
}

// Named after the harness, so the cases of all harnesses stay apart in ctest. A harness
// without seeds generates no case, which GoogleTest reports as a failure of its own.
#define BP_REPLAY_CASES(harness, ...) INSTANTIATE_TEST_SUITE_P(harness, __VA_ARGS__)
BP_REPLAY_CASES(BP_FUZZ_CASE, FuzzReplay, testing::ValuesIn(inputs()), caseName);

}  // namespace
