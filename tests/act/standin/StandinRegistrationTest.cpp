// Registration through the host tool, and the server letting go of itself once every object
// it made is released.
#include <gtest/gtest.h>

#include "act/automation/ComFailure.h"
#include "act/standin/StandinTestSupport.h"

namespace bp::standin::test {
namespace {

bool registered(const char* progId) {
    const std::wstring wide = platform::toWide(progId);
    CLSID clsid{};
    return SUCCEEDED(::CLSIDFromProgID(wide.c_str(), &clsid));
}

using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

class StandinRegistrationTest : public StandinTest {};

TEST_F(StandinRegistrationTest, UnregisterForgetsTheProgramIdsAndRegisterBringsThemBack) {
    for (const char* progId : kProgIds) {
        ASSERT_TRUE(registered(progId)) << progId;
    }
    const auto removed = runTool({"unregister"});
    ASSERT_EQ(removed.exitCode, 0) << removed.output;
    for (const char* progId : kProgIds) {
        EXPECT_FALSE(registered(progId)) << progId;
    }
    EXPECT_THROW(create("ACTOLE.APPOBJECT"), automation::NotRegisteredError);
    // Nothing left to remove is no failure.
    EXPECT_EQ(runTool({"unregister"}).exitCode, 0);

    const auto added = runTool({"register"});
    ASSERT_EQ(added.exitCode, 0) << added.output;
    for (const char* progId : kProgIds) {
        EXPECT_TRUE(registered(progId)) << progId;
    }
    EXPECT_NO_THROW(create("ACTOLE.APPOBJECT"));
}

TEST_F(StandinRegistrationTest, ReleasingEveryObjectLetsTheServerUnload) {
    std::optional<Dispatch> app = create("ACTOLE.APPOBJECT");
    std::optional<Dispatch> views = object(app->get("Views"));
    std::optional<Dispatch> control = create("ACTEVENTLib.ActEvent");
    const Variant flags[] = {integer(0)};
    control->call("Register", flags);

    HMODULE server = ::GetModuleHandleW(L"brindlepath-host.dll");
    ASSERT_NE(server, nullptr);
    auto canUnloadNow = reinterpret_cast<CanUnloadNow>(::GetProcAddress(server, "DllCanUnloadNow"));
    ASSERT_NE(canUnloadNow, nullptr);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    app.reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE);  // the views object still holds the server
    views.reset();
    control.reset();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

}  // namespace
}  // namespace bp::standin::test
