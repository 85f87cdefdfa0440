// The closing event, host commands and whether the host runs.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "act/sim/DatasetJson.h"
#include "act/sim/HostStore.h"
#include "act/sim/HostTestSupport.h"
#include "act/sim/SimHost.h"

namespace bp::sim::test {
namespace {

using namespace std::chrono_literals;

class SimEventTest : public TempHostFolder {
protected:
    void SetUp() override {
        TempHostFolder::SetUp();
        DatasetJson::importText(path("host.db"), kSmallDataset);
        host_ = std::make_unique<SimHost>(path("host.db"));
        event_ = host_->createEventControl();
        event_->OnActUserWantsToClose = [this] { ++closings_; };
    }

    // What the main window's timer does: poll until the event came or the time is up.
    void pollFor(std::chrono::milliseconds limit) {
        auto until = std::chrono::steady_clock::now() + limit;
        while (closings_ == 0 && std::chrono::steady_clock::now() < until) {
            event_->poll();
            std::this_thread::sleep_for(20ms);
        }
    }

    std::unique_ptr<SimHost> host_;
    std::shared_ptr<act::ActEvent> event_;
    int closings_ = 0;
};

TEST_F(SimEventTest, ClosingTheHostFromTheToolReachesTheProgramWithinOneSecond) {
    ASSERT_EQ(event_->Register(0), 1);
    ToolResult closed = runOnHost({"close"});
    ASSERT_EQ(closed.exitCode, 0) << closed.output;
    auto start = std::chrono::steady_clock::now();
    pollFor(1000ms);
    EXPECT_EQ(closings_, 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1000ms);
    event_->poll();
    EXPECT_EQ(closings_, 1);  // one close, one event
    EXPECT_FALSE(host_->createAppObject()->IsDBOpen());
    EXPECT_FALSE(event_->IsHostRunning());
}

TEST_F(SimEventTest, AnUnregisteredControlGetsNoEvent) {
    ASSERT_EQ(event_->Register(0), 1);
    event_->Unregister();
    HostStore(path("host.db")).close();
    pollFor(200ms);
    EXPECT_EQ(closings_, 0);
}

TEST_F(SimEventTest, ClosesBeforeRegisteringAreNotDelivered) {
    HostStore store(path("host.db"));
    store.close();
    store.reopen();
    ASSERT_EQ(event_->Register(0), 1);
    pollFor(200ms);
    EXPECT_EQ(closings_, 0);
}

TEST_F(SimEventTest, Command150ClosesTheHostAndRaisesTheEvent) {
    ASSERT_EQ(event_->Register(0), 1);
    auto app = host_->createAppObject();
    app->Command(701);
    event_->poll();
    EXPECT_EQ(closings_, 0);
    EXPECT_TRUE(app->IsDBOpen());
    app->Command(150);
    event_->poll();
    EXPECT_EQ(closings_, 1);
    EXPECT_FALSE(app->IsDBOpen());
    EXPECT_EQ(HostStore(path("host.db")).commands(), (std::vector<int>{701, 150}));
}

TEST_F(SimEventTest, RegisteringWithAClosedHostFails) {
    HostStore(path("host.db")).close();
    EXPECT_EQ(event_->Register(0), 0);
    EXPECT_FALSE(event_->IsHostRunning());
    ToolResult opened = runOnHost({"open"});
    ASSERT_EQ(opened.exitCode, 0) << opened.output;
    EXPECT_TRUE(event_->IsHostRunning());
    EXPECT_EQ(event_->Register(0), 1);
    EXPECT_TRUE(host_->createAppObject()->IsDBOpen());
}

TEST_F(SimEventTest, PollWithoutHandlerOrChangesIsHarmless) {
    auto quiet = host_->createEventControl();
    ASSERT_EQ(quiet->Register(0), 1);
    quiet->poll();
    HostStore(path("host.db")).close();
    EXPECT_NO_THROW(quiet->poll());  // no handler set: nothing to call
}

}  // namespace
}  // namespace bp::sim::test
