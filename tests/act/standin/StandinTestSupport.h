#pragma once
// Shared by the stand-in server's tests: the server registered through the built host tool, a
// host database of the test's own that the server opens (BRINDLEPATH_HOST), the calling
// thread in an apartment, and the server's objects created by program id.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "act/automation/ComApartment.h"
#include "act/automation/Dispatch.h"
#include "act/automation/ProgId.h"
#include "act/automation/VariantConvert.h"
#include "act/sim/DatasetJson.h"
#include "act/sim/HostTestSupport.h"
#include "act/standin/HostWalk.h"
#include "platform/WinText.h"

namespace bp::standin::test {

using automation::Dispatch;
using automation::Variant;

inline const char* const kProgIds[] = {"ACTOLE.APPOBJECT", "ACTOLE.DATABASE", "ACTOLE.AUXCMDS",
                                       "ACTEVENTLib.ActEvent"};

class StandinTest : public sim::test::TempHostFolder {
protected:
    static void SetUpTestSuite() {
        const auto result = sim::test::TempHostFolder::runTool({"register"});
        ASSERT_EQ(result.exitCode, 0) << result.output;
    }

    void SetUp() override { sim::DatasetJson::importText(hostPath(), dataset()); }

    // The database the server opens: the one BRINDLEPATH_HOST names.
    std::string hostPath() const { return path("default-host.db"); }
    virtual std::string dataset() const { return sim::test::kSmallDataset; }

    static Dispatch create(const std::string& progId) {
        return Dispatch(automation::createByProgId(progId));
    }
    // The database object attached to the running host's database, as a client starts.
    static Dispatch openDatabase() {
        Dispatch db = create("ACTOLE.DATABASE");
        const Variant attach[] = {automation::fromText("")};
        db.call("OpenEx", attach);
        return db;
    }
    static Dispatch object(const Variant& value) {
        EXPECT_EQ(value.type(), VT_DISPATCH);
        return Dispatch(automation::ComPtr<IDispatch>::share(value.get().pdispVal));
    }

    automation::ComApartment apartment_;
};

// Everything written to standard error while the owner lives (the server writes its host's
// call counts there when its last object goes).
class CapturedStandardError {
public:
    explicit CapturedStandardError(const std::string& file) : file_(file) {
        std::fflush(stderr);
        saved_ = ::_dup(2);
        const int fd = ::_open(file.c_str(), _O_CREAT | _O_TRUNC | _O_WRONLY | _O_BINARY, 0600);
        ::_dup2(fd, 2);
        ::_close(fd);
    }
    ~CapturedStandardError() { restore(); }
    CapturedStandardError(const CapturedStandardError&) = delete;
    CapturedStandardError& operator=(const CapturedStandardError&) = delete;

    std::string text() {
        restore();
        std::ifstream in(file_, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }

private:
    void restore() {
        if (saved_ >= 0) {
            std::fflush(stderr);
            ::_dup2(saved_, 2);
            ::_close(saved_);
            saved_ = -1;
        }
    }

    std::string file_;
    int saved_ = -1;
};

// The "name count" lines of the host's call report.
inline std::map<std::string, std::uint64_t> callCounts(const std::string& report) {
    std::map<std::string, std::uint64_t> counts;
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string name;
        std::uint64_t count = 0;
        if (fields >> name >> count && name.find('.') != std::string::npos) {
            counts[name] = count;
        }
    }
    return counts;
}

}  // namespace bp::standin::test
