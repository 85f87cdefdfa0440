// The server's objects seen from a client: created by program id, called by member name, and
// answering exactly as the embedded host they stand for.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "act/automation/Bstr.h"
#include "act/sim/SimHost.h"
#include "act/standin/HostWalk.h"
#include "act/standin/StandinTestSupport.h"
#include "platform/Error.h"
#include "platform/WinText.h"

namespace bp::standin::test {
namespace {

using automation::Bstr;

// A raw call, so a test sees exactly what the server answered.
struct RawCall {
    HRESULT hr = S_OK;
    Variant result;
    EXCEPINFO exception{};
    UINT badArgument = 99;

    ~RawCall() {
        ::SysFreeString(exception.bstrSource);
        ::SysFreeString(exception.bstrDescription);
        ::SysFreeString(exception.bstrHelpFile);
    }
};

DISPID idOf(IDispatch* object, const std::string& name) {
    std::wstring wide = platform::toWide(name);
    LPOLESTR names[] = {wide.data()};
    DISPID id = 12345;
    const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return hr == S_OK ? id : DISPID_UNKNOWN;
}

// Arguments in the caller's order; the call reverses them as Invoke expects.
void invoke(RawCall& call, IDispatch* object, DISPID id, std::vector<Variant> args,
            WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET) {
    std::vector<VARIANTARG> reversed;
    for (auto arg = args.rbegin(); arg != args.rend(); ++arg) {
        reversed.push_back(arg->get());
    }
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                      static_cast<UINT>(reversed.size()), 0};
    call.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, call.result.out(),
                             &call.exception, &call.badArgument);
}

Variant shortInteger(short value) {
    Variant result;
    VARIANT* out = result.out();
    out->vt = VT_I2;
    out->iVal = value;
    return result;
}

class StandinObjectsTest : public StandinTest {};

TEST_F(StandinObjectsTest, EveryProgramIdCreatesAnObject) {
    for (const char* progId : kProgIds) {
        EXPECT_NO_THROW(create(progId)) << progId;
    }
}

TEST_F(StandinObjectsTest, TheObjectsAnswerAsTheEmbeddedHostOnTheSameDatabase) {
    const Answers automated = walkThroughAutomation();
    sim::SimHost host(hostPath());
    const Answers direct = walkDirectly(host);
    EXPECT_EQ(automated, direct);
    for (const char* expected :
         {"C00000000001|Acme Ltd|Jo Smith", "U00000000002 Ben Baker", "Proposal", "Gadget",
          "Ann Admin", "1250.50|3/14/2026 9:30:00 AM"}) {
        EXPECT_NE(std::find(automated.begin(), automated.end(), expected), automated.end())
            << expected;
    }
}

TEST_F(StandinObjectsTest, NamesAreFoundWhateverTheirCase) {
    Dispatch app = create("ACTOLE.APPOBJECT");
    const DISPID id = idOf(app.object(), "IsDBOpen");
    EXPECT_NE(id, DISPID_UNKNOWN);
    EXPECT_EQ(idOf(app.object(), "isdbopen"), id);
    EXPECT_EQ(idOf(app.object(), "ISDBOPEN"), id);
    EXPECT_NE(idOf(app.object(), "OpenFile"), id);
}

TEST_F(StandinObjectsTest, AnUnknownNameIsRefused) {
    Dispatch app = create("ACTOLE.APPOBJECT");
    std::wstring name = L"NoSuchMember";
    LPOLESTR names[] = {name.data()};
    DISPID id = 0;
    EXPECT_EQ(app.object()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
              DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    try {
        app.get("NoSuchMember");
        FAIL() << "an unknown member answered";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), 438);
    }
}

TEST_F(StandinObjectsTest, AWrongNumberOfArgumentsIsRefused) {
    Dispatch db = openDatabase();
    Dispatch users = object(db.get("Users"));
    const DISPID name = idOf(users.object(), "Name");
    RawCall none;
    invoke(none, users.object(), name, {});
    EXPECT_EQ(none.hr, DISP_E_BADPARAMCOUNT);
    RawCall two;
    invoke(two, users.object(), name, {integer(1), integer(2)});
    EXPECT_EQ(two.hr, DISP_E_BADPARAMCOUNT);
    RawCall one;
    invoke(one, users.object(), name, {integer(1)});
    EXPECT_EQ(one.hr, S_OK);
}

TEST_F(StandinObjectsTest, ConvertibleArgumentsAreAcceptedAndOthersNamed) {
    Dispatch users = object(openDatabase().get("Users"));
    const DISPID name = idOf(users.object(), "Name");
    for (Variant second : {integer(2), shortInteger(2), text("2")}) {
        RawCall call;
        invoke(call, users.object(), name, {second});
        ASSERT_EQ(call.hr, S_OK) << second.type() << " "
                                 << automation::bstrToUtf8(call.exception.bstrDescription);
        EXPECT_EQ(automation::toText(call.result.get()), "Ben Baker");
    }
    RawCall word;
    invoke(word, users.object(), name, {text("two")});
    EXPECT_EQ(word.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(word.badArgument, 0u);

    // The position counts as Invoke's arguments do: the last argument first.
    Dispatch commands = create("ACTOLE.AUXCMDS");
    RawCall view;
    invoke(view, commands.object(), idOf(commands.object(), "AuxCommandExistsInToolbar"),
           {text("contacts"), text("Report")});
    EXPECT_EQ(view.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(view.badArgument, 1u);
}

TEST_F(StandinObjectsTest, AGetAnswersAsAMethodAsAPropertyAndAsBoth) {
    Dispatch db = openDatabase();
    const DISPID user = idOf(db.object(), "CurrentUser");
    for (WORD flags : {WORD(DISPATCH_METHOD), WORD(DISPATCH_PROPERTYGET),
                       WORD(DISPATCH_METHOD | DISPATCH_PROPERTYGET)}) {
        RawCall call;
        invoke(call, db.object(), user, {}, flags);
        ASSERT_EQ(call.hr, S_OK) << flags;
        EXPECT_EQ(call.result.type(), VT_BSTR);
        EXPECT_EQ(automation::toText(call.result.get()), "Ann Admin");
    }
    RawCall put;
    invoke(put, db.object(), user, {text("Ben Baker")}, DISPATCH_PROPERTYPUT);
    EXPECT_EQ(put.hr, DISP_E_MEMBERNOTFOUND);
}

TEST_F(StandinObjectsTest, ResultsHaveTheAgreedKinds) {
    Dispatch app = create("ACTOLE.APPOBJECT");
    Variant open = app.get("IsDBOpen");
    EXPECT_EQ(open.type(), VT_BOOL);
    EXPECT_EQ(open.get().boolVal, VARIANT_TRUE);
    EXPECT_EQ(app.get("Views").type(), VT_DISPATCH);
    Dispatch users = object(openDatabase().get("Users"));
    EXPECT_EQ(users.get("Count").type(), VT_I4);
    EXPECT_EQ(automation::toInt(users.get("Count").get()), 2);
}

TEST_F(StandinObjectsTest, AuxiliaryCommandsAddedThroughAutomationReachTheHost) {
    Dispatch commands = create("ACTOLE.AUXCMDS");
    const Variant add[] = {text("Report"),
                           text("C:\\Tools\\report.exe"),
                           text("C:\\Tools"),
                           text("Report…"),
                           text("Build a report"),
                           text(""),
                           text(""),
                           integer(0)};
    EXPECT_EQ(automation::toInt(commands.call("AddAuxCommand", add).get()), 0);
    const Variant name[] = {text("Report")};
    EXPECT_EQ(automation::toInt(commands.call("AuxCommandExists", name).get()), 1);
    const Variant inContacts[] = {integer(1), text("Report")};
    EXPECT_EQ(automation::toInt(commands.call("AuxCommandExistsInToolbar", inContacts).get()), 0);
    EXPECT_EQ(automation::toInt(commands.call("AddAuxCommandToToolbar", inContacts).get()), 0);
    EXPECT_EQ(automation::toInt(commands.call("AuxCommandExistsInToolbar", inContacts).get()), 1);

    const auto listed = runTool({"--db", hostPath(), "commands"});
    ASSERT_EQ(listed.exitCode, 0) << listed.output;
    EXPECT_NE(listed.output.find("Report: C:\\Tools\\report.exe (\"Report…\")"), std::string::npos)
        << listed.output;
    EXPECT_NE(listed.output.find("toolbar: views 1"), std::string::npos) << listed.output;
}

class StandinFaultsTest : public StandinTest {
protected:
    std::string dataset() const override {
        nlohmann::json dataset = nlohmann::json::parse(sim::test::kSmallDataset);
        dataset["faults"] = {
            {"Sales.GoTo",
             {{"after", 1}, {"number", 13}, {"description", "Typ unverträglich – 型の不一致"}}}};
        return dataset.dump();
    }
};

TEST_F(StandinFaultsTest, AHostErrorArrivesWithItsNumberAndWords) {
    Dispatch sales = object(openDatabase().get("Sales"));
    const DISPID goTo = idOf(sales.object(), "GoTo");
    RawCall first;
    invoke(first, sales.object(), goTo, {text("S00000000001")});
    EXPECT_EQ(first.hr, S_OK);
    RawCall second;
    invoke(second, sales.object(), goTo, {text("S00000000002")});
    EXPECT_EQ(second.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(automation::bstrToUtf8(second.exception.bstrSource), "brindlepath-host");
    EXPECT_EQ(automation::bstrToUtf8(second.exception.bstrDescription),
              "Typ unverträglich – 型の不一致");
    EXPECT_EQ(second.exception.wCode, 0);
    EXPECT_EQ(static_cast<unsigned long>(second.exception.scode), 0x800A000DUL);
}

TEST_F(StandinFaultsTest, AHostErrorReachesTheCallerAsAnError) {
    Dispatch sales = object(openDatabase().get("Sales"));
    const Variant id[] = {text("S00000000001")};
    sales.call("GoTo", id);
    try {
        sales.call("GoTo", id);
        FAIL() << "the injected failure did not arrive";
    } catch (const Error& error) {
        EXPECT_EQ(error.description(), "Typ unverträglich – 型の不一致");
    }
}

class StandinUnicodeTest : public StandinTest {
protected:
    std::string dataset() const override {
        nlohmann::json dataset = nlohmann::json::parse(sim::test::kSmallDataset);
        dataset["contactFields"].push_back({{"id", 27}, {"label", "Straße · 住所"}, {"type", 1}});
        dataset["contacts"][0]["25"] = "Zoë & Søn — 東京";
        dataset["contacts"][0]["27"] = "Große Allee 𝄞";
        return dataset.dump();
    }
};

TEST_F(StandinUnicodeTest, TextTravelsWholeBothWays) {
    Dispatch contacts = object(openDatabase().get("Contact"));
    const Variant id[] = {text("C00000000001")};
    ASSERT_TRUE(automation::toBool(contacts.call("GoTo", id).get()));
    const Variant company[] = {integer(25)};
    EXPECT_EQ(automation::toText(contacts.get("Data", company).get()), "Zoë & Søn — 東京");
    Dispatch fields = object(contacts.get("Fields"));
    const Variant label[] = {text("Straße · 住所")};
    const int street = automation::toInt(fields.get("FieldID", label).get());
    EXPECT_EQ(street, 27);
    const Variant streetField[] = {integer(street)};
    EXPECT_EQ(automation::toText(contacts.get("Data", streetField).get()), "Große Allee 𝄞");
}

class StandinMissingHostTest : public StandinTest {
protected:
    void SetUp() override {}
};

TEST_F(StandinMissingHostTest, WithoutAHostDatabaseNoObjectIsMadeAndNoneIsCreated) {
    EXPECT_THROW(create("ACTOLE.DATABASE"), Error);
    EXPECT_FALSE(sim::test::fs::exists(hostPath()));
}

TEST_F(StandinMissingHostTest, TheReasonGoesWithTheFailedCreation) {
    CLSID clsid{};
    ASSERT_EQ(::CLSIDFromProgID(L"ACTOLE.APPOBJECT", &clsid), S_OK);
    IDispatch* object = nullptr;
    EXPECT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                 reinterpret_cast<void**>(&object)),
              E_FAIL);
    EXPECT_EQ(object, nullptr);
    IErrorInfo* info = nullptr;
    ASSERT_EQ(::GetErrorInfo(0, &info), S_OK);
    auto owned = automation::ComPtr<IErrorInfo>::adopt(info);
    BSTR description = nullptr;
    ASSERT_EQ(owned->GetDescription(&description), S_OK);
    const Bstr text = Bstr::adopt(description);
    EXPECT_NE(text.toUtf8().find("There is no host database"), std::string::npos) << text.toUtf8();
}

TEST_F(StandinObjectsTest, TheFactoryRefusesAggregationAndForeignInterfaces) {
    CLSID clsid{};
    ASSERT_EQ(::CLSIDFromProgID(L"ACTOLE.DATABASE", &clsid), S_OK);
    IClassFactory* factory = nullptr;
    ASSERT_EQ(::CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                 reinterpret_cast<void**>(&factory)),
              S_OK);
    auto owned = automation::ComPtr<IClassFactory>::adopt(factory);
    IUnknown* made = nullptr;
    Dispatch outer = create("ACTOLE.APPOBJECT");
    EXPECT_EQ(owned->CreateInstance(outer.object(), IID_IUnknown, reinterpret_cast<void**>(&made)),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(owned->CreateInstance(nullptr, IID_IPersist, reinterpret_cast<void**>(&made)),
              E_NOINTERFACE);
    EXPECT_EQ(made, nullptr);
    ASSERT_EQ(owned->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&made)), S_OK);
    IDispatch* dispatch = nullptr;
    EXPECT_EQ(made->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    dispatch->Release();
    made->Release();
}

}  // namespace
}  // namespace bp::standin::test
