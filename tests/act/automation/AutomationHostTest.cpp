// The adapter seen from the host's side: which members each act:: call reaches, how calls
// are sent and counted, and how the host's failures and texts reach the program. The same
// sequence of calls on the embedded host must count the same members the same number of times.

#include "act/automation/AutomationHost.h"

#include <gtest/gtest.h>

#include "FakeHostWorld.h"
#include "act/automation/VariantConvert.h"
#include "act/sim/DatasetJson.h"
#include "act/sim/SimHost.h"
#include "platform/TestSupport.h"

namespace bp::automation::test {
namespace {

constexpr const char* kDataset = R"({
  "open": true, "databasePath": "C:/Contacts/demo.dbf", "currentUser": "Ann Admin",
  "users": [{"id": "U00000000001", "name": "Ann Admin"}],
  "contactFields": [{"id": 25, "label": "Company", "type": 1}],
  "salesFieldTypes": {"35": 7, "34": 6},
  "groupFieldTypes": {"25": 1},
  "contacts": [{"1": "C00000000001", "25": "Acme Ltd"}, {"1": "C00000000002", "25": "Globex"}],
  "sales": [{"1": "S00000000001", "25": "C00000000001", "35": "3/14/2026 9:30:00 AM"}],
  "groups": [{"1": "G00000000001", "25": "Key accounts"}],
  "lists": {"1": ["Widget", "Gadget"]}, "salesStages": ["Prospect", "Proposal"],
  "currentLookup": ["C00000000002"], "currentContact": "C00000000002"
})";

// Every member of every object the program uses, once or twice, in a plausible order.
void exercise(act::Host& host, const std::string& lookupPath) {
    auto app = host.createAppObject();
    app->OpenFile("");
    app->IsDBOpen();
    auto view = app->GetViews()->Create(1, "CV");
    view->SetActiveTab("Sales/Opportunities");
    view->GetCurrentId();
    auto db = host.createDatabase();
    db->OpenEx("");
    db->PhoneFormatting(2);
    db->CurrentUser();
    db->GetDatabasePath();
    auto sales = db->Sales();
    sales->GoTo("S00000000001");
    sales->Data(35);
    sales->Data(34);
    auto salesFields = sales->Fields();
    salesFields->Type(35);
    salesFields->Count();
    auto contact = db->Contact();
    contact->MoveFirst();
    contact->isEOF();
    contact->Data(25);
    contact->MoveNext();
    contact->LoadLookupQuery("");
    auto contactFields = contact->Fields();
    contactFields->ID(0);
    contactFields->Label(25);
    contactFields->FieldID("Company");
    auto drop = salesFields->PopupInfo(39, 1);
    drop->PopupCount();
    drop->Value(0);
    auto list = db->GetListTable();
    list->SetScope(1);
    list->RecordCount();
    list->Data(26);
    list->MoveNext();
    auto users = db->GetUsers();
    users->Count();
    users->UniqueID(1);
    users->Name(1);
    auto group = db->Group();
    group->GoTo("G00000000001");
    group->Data(25);
    auto aux = host.createAuxCmds();
    aux->AddAuxCommand("Sales report", "C:/bp.exe", "C:/", "Sales", "Tip", "", "", 0);
    aux->AuxCommandExists("Sales report");
    aux->AuxCommandExistsInToolbar(1, "Sales report");
    aux->AuxCommandExistsInToolsMenu(1, "Sales report");
    aux->AddAuxCommandToToolbar(1, "Sales report");
    aux->AddAuxCommandToToolsMenu(1, "Sales report");
    aux->RemoveAuxCommandFromToolbar(1, "Sales report");
    aux->RemoveAuxCommandFromToolsMenu(1, "Sales report");
    auto event = host.createEventControl();
    event->Register(0);
    event->IsHostRunning();
    event->Unregister();
    view->CreateLookup("C00000000001");
    app->SaveCurrentLookup(lookupPath);
    db->Close();
}

class AutomationHostTest : public ::testing::Test {
protected:
    AutomationHost host() { return AutomationHost(world_.factory(), platform::Locale("en_US")); }

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

    FakeHostWorld world_;
    platform::test::TempFolder folder_;
};

TEST_F(AutomationHostTest, EachCallIsOneInvokeCountedAsTheEmbeddedHostCountsIt) {
    AutomationHost adapter = host();
    exercise(adapter, folder_.file("adapter.lkp"));
    const auto counts = adapter.callCounts();
    EXPECT_EQ(counts, world_.tally->counts);

    sim::DatasetJson::importText(folder_.file("host.db"), kDataset);
    sim::SimHost embedded(folder_.file("host.db"));
    exercise(embedded, folder_.file("embedded.lkp"));
    EXPECT_EQ(counts, embedded.callCounts());
}

TEST_F(AutomationHostTest, ValuesAreAskedAsMethodOrPropertyAndActionsAsMethods) {
    AutomationHost adapter = host();
    exercise(adapter, folder_.file("adapter.lkp"));
    const WORD get = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    for (const char* member : {"Sales.Data", "Sales.GoTo", "Database.Sales", "App.IsDBOpen",
                               "SalesFields.Type", "Users.Name", "AuxCmds.AuxCommandExists"}) {
        EXPECT_EQ(world_.tally->flags[member], get) << member;
    }
    for (const char* member : {"Contact.MoveNext", "App.OpenFile", "Database.Close",
                               "ContactView.CreateLookup", "ListTable.SetScope"}) {
        EXPECT_EQ(world_.tally->flags[member], DISPATCH_METHOD) << member;
    }
}

TEST_F(AutomationHostTest, ArgumentsArriveAsWholeNumbersAndTexts) {
    AutomationHost adapter = host();
    exercise(adapter, folder_.file("adapter.lkp"));
    const std::vector<VARTYPE> aux(7, VT_BSTR);
    std::vector<VARTYPE> addAux = aux;
    addAux.push_back(VT_I4);
    EXPECT_EQ(world_.tally->argKinds["AuxCmds.AddAuxCommand"], addAux);
    EXPECT_EQ(world_.tally->argKinds["Views.Create"], (std::vector<VARTYPE>{VT_I4, VT_BSTR}));
    EXPECT_EQ(world_.tally->argKinds["SalesFields.PopupInfo"],
              (std::vector<VARTYPE>{VT_I4, VT_I4}));
    EXPECT_EQ(world_.tally->argKinds["Sales.Data"], std::vector<VARTYPE>{VT_I4});
    EXPECT_EQ(world_.tally->argKinds["Contact.isEOF"], std::vector<VARTYPE>{});
    EXPECT_EQ(world_.control.lastRegisterKind, VT_I4);
    EXPECT_EQ(world_.control.lastRegisterFlags, 0);
}

TEST_F(AutomationHostTest, AHostErrorArrivesWithTheHostsNumberAndWords) {
    AutomationHost adapter = host();
    auto sales = adapter.createDatabase()->Sales();
    EXPECT_EQ(sales->Data(35), "");
    world_.salesDataFault = {{3021, L"Sales record S00000000001 is locked by Zoë"}};
    const Error error = errorOf([&] { sales->Data(35); });
    EXPECT_EQ(error.number(), 3021);
    EXPECT_EQ(error.description(), "Sales record S00000000001 is locked by Zoë");
    // A failed call was still a call, as the embedded host counts it.
    EXPECT_EQ(adapter.callCounts().at("Sales.Data"), 2u);
}

TEST_F(AutomationHostTest, TextBeyondAsciiArrivesWhole) {
    AutomationHost adapter = host();
    world_.salesFields[26] = fromText("Zoë Ångström 東京商事 😀");
    EXPECT_EQ(adapter.createDatabase()->Sales()->Data(26), "Zoë Ångström 東京商事 😀");
}

TEST_F(AutomationHostTest, ObjectsOutliveTheHostThatMadeThem) {
    std::shared_ptr<act::RecordTable> sales;
    {
        AutomationHost adapter = host();
        sales = adapter.createDatabase()->Sales();
    }
    world_.salesFields[34] = fromText("1250.50");
    EXPECT_EQ(sales->Data(34), "1250.50");
}

TEST_F(AutomationHostTest, AnObjectTheHostDoesNotGiveIsReported) {
    AutomationHost adapter = host();
    world_.salesFields[26] = Variant();
    EXPECT_EQ(adapter.createDatabase()->Sales()->Data(26), "");
    VARIANT nothing;
    ::VariantInit(&nothing);
    nothing.vt = VT_DISPATCH;
    nothing.pdispVal = nullptr;
    EXPECT_EQ(errorOf([&] { toObject(nothing); }).number(), kErrObjectNotSet);
}

}  // namespace
}  // namespace bp::automation::test
