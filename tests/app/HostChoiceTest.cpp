// Which host a start works on: the running contact manager by automation for real users on
// Windows, a named host database opened directly for demos and tests.

#include <gtest/gtest.h>

#include "app/HostChoice.h"

namespace bp::app {
namespace {

TEST(HostChoiceTest, WindowsAttachesByAutomationUnlessAHostDatabaseIsNamed) {
    const struct {
        const char* host;
        const char* attach;
        HostKind expected;
    } cases[] = {
        {"", "", HostKind::Automation},
        {"", "automation", HostKind::Automation},
        {"", "embedded", HostKind::Automation},
        {"C:\\data\\host.db", "", HostKind::Embedded},
        {"C:\\data\\host.db", "automation", HostKind::Automation},
        {"C:\\data\\host.db", "Automation ", HostKind::Embedded},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chooseHost(c.host, c.attach, true), c.expected)
            << "BRINDLEPATH_HOST=" << c.host << " BRINDLEPATH_ATTACH=" << c.attach;
    }
}

TEST(HostChoiceTest, WithoutAutomationEveryStartOpensTheEmbeddedHost) {
    EXPECT_EQ(chooseHost("", "", false), HostKind::Embedded);
    EXPECT_EQ(chooseHost("/tmp/host.db", "automation", false), HostKind::Embedded);
}

}  // namespace
}  // namespace bp::app
