// The host's closing event as the program receives it: only from poll(), once per event,
// through a sink the control can call as its own events interface, and with nothing left
// connected once the program unregisters or drops the control. Where the control is not
// installed, the host is asked now and then instead.

#include <gtest/gtest.h>

#include <chrono>

#include "FakeHostWorld.h"
#include "act/automation/AutomationHost.h"
#include "act/automation/ComFailure.h"
#include "act/automation/ControlEvent.h"
#include "act/automation/PolledEvent.h"
#include "act/automation/VariantConvert.h"

namespace bp::automation::test {
namespace {

class EventTest : public ::testing::Test {
protected:
    std::shared_ptr<act::ActEvent> registered() {
        auto event = host_.createEventControl();
        event->OnActUserWantsToClose = [this] { ++closes_; };
        EXPECT_EQ(event->Register(0), 1);
        return event;
    }

    FakeHostWorld world_;
    AutomationHost host_{world_.factory(), platform::Locale("en_US")};
    int closes_ = 0;
};

TEST_F(EventTest, TheClosingIsDeliveredOnlyFromPollAndOnce) {
    auto event = registered();
    EXPECT_TRUE(world_.control.sinkAnsweredEventsIid);
    EXPECT_EQ(world_.control.connectedSinks(), 1);
    world_.control.raiseClose();
    EXPECT_EQ(closes_, 0);
    event->poll();
    EXPECT_EQ(closes_, 1);
    event->poll();
    EXPECT_EQ(closes_, 1);
    world_.control.raiseClose();
    event->poll();
    EXPECT_EQ(closes_, 2);
    EXPECT_FALSE(host_.eventsByPolling());
}

TEST_F(EventTest, AnEventSentAsAMessageArrivesThroughPoll) {
    auto event = registered();
    world_.control.raiseCloseFromMessage();
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (closes_ == 0 && std::chrono::steady_clock::now() < giveUp) {
        event->poll();
        ::Sleep(5);
    }
    EXPECT_EQ(closes_, 1);
}

TEST_F(EventTest, UnregisteringDisconnectsAndStopsDelivery) {
    auto event = registered();
    world_.control.raiseClose();
    event->Unregister();
    EXPECT_EQ(world_.control.connectedSinks(), 0);
    event->poll();
    EXPECT_EQ(closes_, 0);
    EXPECT_EQ(world_.tally->counts["ActEvent.Unregister"], 1u);
}

TEST_F(EventTest, DroppingTheControlDisconnectsAndReleasesIt) {
    const long before = world_.control.refs();
    {
        auto event = registered();
        EXPECT_EQ(world_.control.connectedSinks(), 1);
    }
    EXPECT_EQ(world_.control.connectedSinks(), 0);
    EXPECT_EQ(world_.control.refs(), before);
}

TEST_F(EventTest, ARefusedRegistrationLeavesNothingConnected) {
    world_.control.registerResult = 0;
    auto event = host_.createEventControl();
    EXPECT_EQ(event->Register(0), 0);
    EXPECT_EQ(world_.control.advises(), 1);
    EXPECT_EQ(world_.control.connectedSinks(), 0);
}

TEST_F(EventTest, MembersGoByNumber) {
    auto event = registered();
    world_.control.hostRunning = false;
    EXPECT_FALSE(event->IsHostRunning());
    world_.control.hostRunning = true;
    EXPECT_TRUE(event->IsHostRunning());
    EXPECT_EQ(world_.tally->counts["ActEvent.Register"], 1u);
    EXPECT_EQ(world_.tally->counts["ActEvent.IsHostRunning"], 2u);
    EXPECT_EQ(host_.callCounts(), world_.tally->counts);
}

TEST_F(EventTest, AControlWithoutEventsIsAskedEveryTwoSeconds) {
    world_.control.offersEvents = false;
    auto event = registered();
    EXPECT_TRUE(host_.eventsByPolling());
    EXPECT_NE(host_.describe().find("every 2 seconds"), std::string::npos);
}

// A clock the test moves by hand.
struct TestClock {
    std::chrono::steady_clock::time_point now{};
    HostWatch::Clock function() {
        return [this] { return now; };
    }
};

class PolledEventTest : public ::testing::Test {
protected:
    PolledEventTest() {
        world_.eventControlInstalled = false;
        event_.OnActUserWantsToClose = [this] { ++closes_; };
    }

    // The host's application object stops answering as a process that has ended.
    void hostEnds() {
        FakeObject::Handler gone = [](const std::vector<Variant>&, VARIANT*, EXCEPINFO*) {
            return RPC_E_DISCONNECTED;
        };
        world_.appIsDBOpen = gone;
    }

    FakeHostWorld world_;
    std::shared_ptr<AdapterContext> context_ =
        std::make_shared<AdapterContext>(world_.factory(), platform::Locale("en_US"));
    TestClock clock_;
    PolledEvent event_{context_, clock_.function()};
    int closes_ = 0;
};

TEST_F(PolledEventTest, TheHostAsCreatedWithoutAControlFallsBackToPolling) {
    AutomationHost host(world_.factory(), platform::Locale("en_US"));
    auto event = host.createEventControl();
    EXPECT_EQ(event->Register(0), -1);
    EXPECT_TRUE(host.eventsByPolling());
    EXPECT_NE(host.describe().find("by automation"), std::string::npos);
    EXPECT_NE(host.describe().find("every 2 seconds"), std::string::npos);
}

TEST_F(PolledEventTest, TheEndOfTheHostIsReportedOnceAtMostEveryTwoSeconds) {
    EXPECT_EQ(event_.Register(0), -1);
    EXPECT_TRUE(event_.IsHostRunning());
    const auto asked = [this] { return context_->counter.counts()["App.IsDBOpen"]; };
    EXPECT_EQ(asked(), 1u);
    clock_.now += std::chrono::milliseconds(1900);
    event_.poll();
    EXPECT_EQ(asked(), 1u);
    clock_.now += std::chrono::milliseconds(200);
    event_.poll();
    EXPECT_EQ(asked(), 2u);
    EXPECT_EQ(closes_, 0);
    hostEnds();
    EXPECT_FALSE(event_.IsHostRunning());
    clock_.now += std::chrono::seconds(2);
    event_.poll();
    EXPECT_EQ(closes_, 1);
    clock_.now += std::chrono::seconds(10);
    event_.poll();
    EXPECT_EQ(closes_, 1);
}

TEST_F(PolledEventTest, AHostThatFailsACallStillRuns) {
    event_.Register(0);
    world_.appIsDBOpen = [](const std::vector<Variant>&, VARIANT*, EXCEPINFO* info) {
        return raiseHostError(info, 3021, L"No database is open");
    };
    EXPECT_TRUE(event_.IsHostRunning());
    clock_.now += std::chrono::seconds(3);
    event_.poll();
    EXPECT_EQ(closes_, 0);
}

TEST_F(PolledEventTest, NothingIsReportedWhileUnregistered) {
    hostEnds();
    clock_.now += std::chrono::seconds(3);
    event_.poll();
    event_.Register(0);
    event_.Unregister();
    clock_.now += std::chrono::seconds(3);
    event_.poll();
    EXPECT_EQ(closes_, 0);
}

TEST(ControlWithoutEventsTest, TheHostIsAskedThroughTheControlAtMostEveryTwoSeconds) {
    FakeHostWorld world;
    world.control.offersEvents = false;
    auto context = std::make_shared<AdapterContext>(world.factory(), platform::Locale("en_US"));
    TestClock clock;
    ControlEvent event(ComPtr<IDispatch>::share(&world.control), context, clock.function());
    int closes = 0;
    event.OnActUserWantsToClose = [&] { ++closes; };
    EXPECT_EQ(event.Register(0), 1);
    EXPECT_TRUE(event.eventsByPolling());
    world.control.hostRunning = false;
    clock.now += std::chrono::milliseconds(1500);
    event.poll();
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(world.tally->counts["ActEvent.IsHostRunning"], 0u);
    clock.now += std::chrono::milliseconds(600);
    event.poll();
    EXPECT_EQ(closes, 1);
    clock.now += std::chrono::seconds(5);
    event.poll();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(world.tally->counts["ActEvent.IsHostRunning"], 1u);
}

}  // namespace
}  // namespace bp::automation::test
