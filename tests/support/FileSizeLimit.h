#pragma once
// Makes every write past `bytes` into any file fail ("File too large") for the life of the
// object: a full disk that even root cannot write past. POSIX only: Windows has no such
// limit, and its tests make a save fail by holding the target open (HeldOpen.h).

#include <signal.h>
#include <sys/resource.h>

namespace bp::test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        ::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return active_; }

private:
    rlimit old_{};
    sighandler_t oldHandler_ = SIG_DFL;
    bool active_ = false;
};

}  // namespace bp::test
