#pragma once
// What every harness shares: the entry point libFuzzer calls, a check that stops the run with
// the broken invariant named (libFuzzer then saves the input that broke it), and a scratch
// folder for harnesses whose code under test reads or writes files.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace bp::fuzz {

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
    std::abort();
}

inline std::string_view bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// One folder per process, made on first use and removed when the process ends normally (a
// crashing input leaves it for whoever looks into the crash).
class Scratch {
public:
    static const std::filesystem::path& folder() {
        static Scratch scratch;
        return scratch.path_;
    }
    static std::string file(std::string_view name) { return (folder() / name).string(); }

private:
    // Harnesses write and sync files at every input; on a memory file system that costs next
    // to nothing. Only where the person running the harness chose no folder of their own.
    static std::filesystem::path base() {
        std::error_code ec;
        if (std::getenv("TMPDIR") == nullptr && std::filesystem::is_directory("/dev/shm", ec)) {
            return "/dev/shm";
        }
        auto chosen = std::filesystem::temp_directory_path(ec);
        return ec ? std::filesystem::path("/tmp") : chosen;
    }
    Scratch() {
        std::string pattern = base() / "bp-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            fail("a scratch folder can be made", __FILE__, __LINE__);
        }
        path_ = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::filesystem::path path_;
};

}  // namespace bp::fuzz

#define BP_FUZZ_CHECK(condition) \
    ((condition) ? void() : ::bp::fuzz::fail(#condition, __FILE__, __LINE__))
