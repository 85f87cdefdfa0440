// Late-bound calls by member name, seen from the object's side: which members it was asked
// for, what arrived, what it was left holding, and how its failures reach the caller.

#include "act/automation/Dispatch.h"

#include <gtest/gtest.h>

#include <vector>

#include "FakeDispatch.h"
#include "act/automation/ComFailure.h"
#include "act/automation/VariantConvert.h"

namespace bp::automation::test {
namespace {

class DispatchTest : public ::testing::Test {
protected:
    Dispatch dispatch(std::string kind = {}) {
        return Dispatch(ComPtr<IDispatch>::share(&object_), std::move(kind));
    }

    // The error a call raises; fails the test when it raises none.
    template <typename Call>
    Error errorOf(Call call) {
        try {
            call();
        } catch (const Error& error) {
            return error;
        }
        ADD_FAILURE() << "the call raised no error";
        return Error(0, "");
    }

    FakeDispatch object_;
};

TEST_F(DispatchTest, MemberIsLookedUpOnceThenRemembered) {
    Dispatch target = dispatch();
    target.put("Name", fromText("first"));
    target.get("Name");
    target.get("Name");
    target.call("Echo", std::vector{fromInt(1)});
    target.call("Echo", std::vector{fromInt(2)});
    EXPECT_EQ(object_.idLookups, 2);
    EXPECT_EQ(object_.calls, 5);
}

TEST_F(DispatchTest, ObjectsOfOneNamedKindShareTheirLookups) {
    dispatch("DispatchTest.SharedKind").get("Name");
    dispatch("DispatchTest.SharedKind").get("Name");
    EXPECT_EQ(object_.idLookups, 1);
    dispatch().get("Name");
    EXPECT_EQ(object_.idLookups, 2);
}

TEST_F(DispatchTest, ArgumentsArriveInOrderWithTheirKinds) {
    const Variant answer = dispatch().call(
        "Echo", std::vector{fromText("Zoë Ωmega"), fromInt(-7), fromBool(true), fromDouble(2.5)});
    const RecordedCall& call = object_.lastCall;
    EXPECT_EQ(call.id, FakeDispatch::kEcho);
    EXPECT_EQ(call.flags, DISPATCH_METHOD);
    EXPECT_TRUE(call.named.empty());
    ASSERT_EQ(call.args.size(), 4u);
    EXPECT_EQ(call.args[0].type(), VT_BSTR);
    EXPECT_EQ(toText(call.args[0].get()), "Zoë Ωmega");
    EXPECT_EQ(call.args[1].type(), VT_I4);
    EXPECT_EQ(call.args[1].get().lVal, -7);
    EXPECT_EQ(call.args[2].type(), VT_BOOL);
    EXPECT_EQ(call.args[2].get().boolVal, -1);
    EXPECT_EQ(call.args[3].type(), VT_R8);
    EXPECT_EQ(call.args[3].get().dblVal, 2.5);
    EXPECT_EQ(toText(answer.get()), "Zoë Ωmega");
    EXPECT_EQ(object_.badBstrs, 0);
}

TEST_F(DispatchTest, PutSendsTheValueAsTheNamedPropertyArgument) {
    Dispatch target = dispatch();
    target.put("Name", fromText("Ωmega Ltd"));
    EXPECT_EQ(object_.lastCall.flags, DISPATCH_PROPERTYPUT);
    EXPECT_EQ(object_.lastCall.named, std::vector<DISPID>{DISPID_PROPERTYPUT});
    ASSERT_EQ(object_.lastCall.args.size(), 1u);

    EXPECT_EQ(toText(target.get("Name").get()), "Ωmega Ltd");
    EXPECT_EQ(object_.lastCall.flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    EXPECT_TRUE(object_.lastCall.args.empty());
}

TEST_F(DispatchTest, IndexedPropertyGetPassesItsIndex) {
    const Variant item = dispatch().get("Echo", std::vector{fromInt(3)});
    EXPECT_EQ(object_.lastCall.flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    EXPECT_EQ(toInt(item.get()), 3);
}

TEST_F(DispatchTest, AnExceptionCarriesTheObjectsDescriptionAndNumber) {
    object_.exceptionText = L"Record is locked by Zoë";
    object_.exceptionScode = static_cast<SCODE>(0x80040123);
    Dispatch target = dispatch();
    target.get("Name");
    const Error error = errorOf([&] { target.call("Raise"); });
    EXPECT_EQ(error.description(), "Record is locked by Zoë");
    EXPECT_EQ(error.number(), static_cast<int>(0x80040123));

    object_.exceptionScode = 0;
    object_.exceptionWCode = 1001;
    EXPECT_EQ(errorOf([&] { target.call("Raise"); }).number(), 1001);
}

TEST_F(DispatchTest, AControlFacilityCodeGivesTheObjectsOwnNumber) {
    object_.exceptionText = L"No current record";
    object_.exceptionScode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 3021);
    object_.exceptionWCode = 0;
    const Error error = errorOf([&] { dispatch().call("Raise"); });
    EXPECT_EQ(error.number(), 3021);
    EXPECT_EQ(error.description(), "No current record");
}

TEST_F(DispatchTest, CallsByMemberNumberNeedNoLookup) {
    Dispatch target = dispatch();
    const Variant answer =
        target.getById(FakeDispatch::kEcho, "Echo", std::vector{fromText("Zoë")});
    EXPECT_EQ(toText(answer.get()), "Zoë");
    EXPECT_EQ(object_.lastCall.flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    target.callById(FakeDispatch::kEcho, "Echo", std::vector{fromInt(4)});
    EXPECT_EQ(object_.lastCall.flags, DISPATCH_METHOD);
    EXPECT_EQ(object_.idLookups, 0);
    object_.failWith = E_ACCESSDENIED;
    const Error error = errorOf([&] { target.callById(FakeDispatch::kFail, "Unregister"); });
    EXPECT_EQ(error.description().rfind("Unregister: ", 0), 0u) << error.description();
}

TEST_F(DispatchTest, AnExceptionFilledInLaterIsFilledInBeforeItIsRead) {
    const Error error = errorOf([&] { dispatch().call("RaiseLater"); });
    EXPECT_EQ(error.description(), "Filled in on request");
    EXPECT_EQ(error.number(), static_cast<int>(0x80040777));
}

TEST_F(DispatchTest, AFailedCallNamesTheMemberAndTheReason) {
    object_.failWith = E_ACCESSDENIED;
    const Error error = errorOf([&] { dispatch().call("Fail"); });
    EXPECT_EQ(error.number(), static_cast<int>(E_ACCESSDENIED));
    EXPECT_EQ(error.description().rfind("Fail: ", 0), 0u) << error.description();
    EXPECT_NE(error.description().find("0x80070005"), std::string::npos) << error.description();
}

TEST_F(DispatchTest, AnUnknownMemberIsNamed) {
    const Error error = errorOf([&] { dispatch().get("NoSuchField"); });
    EXPECT_EQ(error.number(), kErrNoSuchMember);
    EXPECT_NE(error.description().find("NoSuchField"), std::string::npos);
}

TEST_F(DispatchTest, AMissingObjectIsReportedNotCalled) {
    EXPECT_EQ(errorOf([] { Dispatch(ComPtr<IDispatch>{}); }).number(), kErrObjectNotSet);
}

TEST_F(DispatchTest, ReferencesReturnAfterManyCallsAndFailures) {
    const int start = object_.refs();
    {
        Dispatch target = dispatch();
        for (int i = 0; i < 100000; ++i) {
            const Variant self = target.get("Self");
            target.call("Echo", std::vector{self, fromText("Zoë")});
            if (i % 1000 == 0) {
                errorOf([&] { target.call("Raise", std::vector{self}); });
            }
        }
        object_.lastCall = {};
    }
    EXPECT_EQ(object_.refs(), start);
    EXPECT_EQ(object_.badBstrs, 0);
    EXPECT_EQ(object_.calls, 200100);
}

}  // namespace
}  // namespace bp::automation::test
