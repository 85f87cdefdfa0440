// The record tables, field definitions, drop-down lists and users as the program reads them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "act/sim/DatasetJson.h"
#include "act/sim/DemoGenerator.h"
#include "act/sim/HostErrors.h"
#include "act/sim/HostTestSupport.h"
#include "act/sim/HostWriter.h"
#include "act/sim/RecordSet.h"
#include "act/sim/SimHost.h"
#include "platform/Error.h"

namespace bp::sim::test {
namespace {

class SimTablesTest : public TempHostFolder {
protected:
    void SetUp() override {
        TempHostFolder::SetUp();
        DatasetJson::importText(path("host.db"), kSmallDataset);
        host_ = std::make_unique<SimHost>(path("host.db"));
        db_ = host_->createDatabase();
        db_->OpenEx("");
    }

    std::vector<std::string> walk(act::RecordTable& table) {
        std::vector<std::string> ids;
        for (table.MoveFirst(); !table.isEOF(); table.MoveNext()) {
            ids.push_back(table.Data(1));
        }
        return ids;
    }

    std::unique_ptr<SimHost> host_;
    std::shared_ptr<act::Database> db_;
};

TEST_F(SimTablesTest, TablesWalkInTheHostsOrder) {
    EXPECT_EQ(walk(*db_->Sales()),
              (std::vector<std::string>{"S00000000001", "S00000000002", "S00000000003"}));
    EXPECT_EQ(walk(*db_->Contact()).size(), 4u);
    EXPECT_EQ(walk(*db_->Group()), std::vector<std::string>{"G00000000001"});
}

TEST_F(SimTablesTest, GoToMakesTheRecordCurrentAndEmptyFieldsReadEmpty) {
    auto sales = db_->Sales();
    ASSERT_TRUE(sales->GoTo("S00000000003"));
    EXPECT_EQ(sales->Data(27), "Lost Sale");
    EXPECT_EQ(sales->Data(39), "Proposal");
    EXPECT_EQ(sales->Data(34), "");
    EXPECT_EQ(sales->Data(9999), "");
    auto contacts = db_->Contact();
    ASSERT_TRUE(contacts->GoTo("C00000000003"));
    EXPECT_EQ(contacts->Data(25), "");
    EXPECT_EQ(contacts->Data(26), "Pat Lee");
}

// Fields read in any order, again, or after another record was current give that record's
// own values; a field the record holds twice reads as its first value.
TEST_F(SimTablesTest, DataReadsTheCurrentRecordsFieldsInAnyOrder) {
    {
        HostWriter writer(path("fields.db"));
        writer.setMeta("open", "1");
        writer.addRecord(TableKind::Sales,
                         RecordSet::pack({{1, "S1"}, {200, "late"}, {27, "first"}, {27, "again"}}));
        writer.addRecord(TableKind::Sales, RecordSet::pack({{34, "12.50"}, {1, "S2"}, {6, ""}}));
        writer.addRecord(TableKind::Sales, RecordSet::pack({{27, "no ID"}}));
        writer.commit();
    }
    SimHost host(path("fields.db"));
    auto db = host.createDatabase();
    db->OpenEx("");
    auto sales = db->Sales();
    const struct {
        const char* id;
        int field;
        const char* value;
    } reads[] = {
        {"S1", 27, "first"}, {"S1", 200, "late"}, {"S1", 1, "S1"},     {"S1", 34, ""},
        {"S1", 27, "first"}, {"S2", 27, ""},      {"S2", 34, "12.50"}, {"S2", 6, ""},
        {"S2", 1, "S2"},     {"S1", 200, "late"}, {"S1", 65535, ""},   {"S1", -1, ""},
    };
    for (const auto& read : reads) {
        ASSERT_TRUE(sales->GoTo(read.id));
        EXPECT_EQ(sales->Data(read.field), read.value) << read.id << " field " << read.field;
    }
    sales->MoveFirst();
    EXPECT_EQ(sales->Data(200), "late");
    sales->MoveNext();
    EXPECT_EQ(sales->Data(34), "12.50");
    EXPECT_EQ(sales->Data(200), "");
    // A record without an ID is never found by one, neither next to the current record nor
    // while it is current itself.
    EXPECT_FALSE(sales->GoTo(""));
    EXPECT_EQ(sales->Data(27), "");
    sales->MoveFirst();
    sales->MoveNext();
    sales->MoveNext();
    EXPECT_EQ(sales->Data(27), "no ID");
    EXPECT_FALSE(sales->GoTo(""));
    EXPECT_EQ(sales->Data(27), "");
}

TEST_F(SimTablesTest, AnUnknownIdLeavesNoRecordCurrent) {
    auto sales = db_->Sales();
    ASSERT_TRUE(sales->GoTo("S00000000001"));
    EXPECT_FALSE(sales->GoTo("S99999999999"));
    EXPECT_EQ(sales->Data(1), "");
    EXPECT_EQ(sales->Data(27), "");
    EXPECT_TRUE(sales->isEOF());
    EXPECT_FALSE(sales->GoTo("S0000000000"));  // a prefix of a real ID
    EXPECT_EQ(sales->Data(34), "");
    EXPECT_FALSE(sales->GoTo(""));
    EXPECT_EQ(sales->Data(1), "");
}

TEST_F(SimTablesTest, TheWalkGoesOnAfterTheRecordFound) {
    auto sales = db_->Sales();
    sales->GoTo("S00000000002");
    sales->MoveNext();
    EXPECT_EQ(sales->Data(1), "S00000000003");
    sales->MoveNext();
    EXPECT_TRUE(sales->isEOF());
    EXPECT_EQ(sales->Data(1), "");
    sales->MoveNext();  // past the end stays at the end
    EXPECT_TRUE(sales->isEOF());
}

// GoTo in the orders the engine uses (the host's own, with gaps of any size) and in others:
// every call lands on the record asked for, and the walk goes on from there.
TEST_F(SimTablesTest, GoToLandsOnTheRecordAskedForInAnyOrder) {
    DemoOptions options;
    options.contacts = 120;
    options.salesPerContact = 5;
    options.varySales = false;
    options.contactsWithoutSalesPercent = 0;
    DemoGenerator::generate(path("big.db"), options);
    SimHost host(path("big.db"));
    auto db = host.createDatabase();
    db->OpenEx("");
    auto sales = db->Sales();
    std::vector<std::string> order = walk(*sales);
    ASSERT_EQ(order.size(), 600u);

    auto visit = [&](const std::vector<std::size_t>& positions, const char* name) {
        for (std::size_t at : positions) {
            ASSERT_TRUE(sales->GoTo(order[at])) << name << " " << at;
            ASSERT_EQ(sales->Data(1), order[at]) << name << " " << at;
            sales->MoveNext();
            if (at + 1 < order.size()) {
                ASSERT_EQ(sales->Data(1), order[at + 1]) << name << " after " << at;
            } else {
                ASSERT_TRUE(sales->isEOF()) << name;
            }
        }
    };
    std::vector<std::size_t> forward, gaps, backward, shuffled;
    for (std::size_t at = 0; at < order.size(); ++at) {
        forward.push_back(at);
        backward.push_back(order.size() - 1 - at);
        shuffled.push_back(at * 7919 % order.size());
    }
    for (std::size_t at = 0, step = 1; at < order.size(); at += step, step = step % 20 + 1) {
        gaps.push_back(at);
    }
    visit(forward, "forward");
    visit(gaps, "gaps");
    visit(backward, "backward");
    visit(shuffled, "shuffled");
    EXPECT_FALSE(sales->GoTo("S99999999999"));
    EXPECT_EQ(sales->Data(1), "");
}

// Whether the repeat comes right after the first use or later, out of order, the table is
// refused when it is opened, before a walk could hand out the same ID twice.
TEST_F(SimTablesTest, ATableThatUsesAnIdTwiceIsRefused) {
    const struct {
        std::vector<std::string> ids;
        const char* repeated;
    } tables[] = {
        {{"S00000000001", "S00000000002", "S00000000001"}, "S00000000001"},
        {{"S00000000001", "S00000000002", "S00000000002", "S00000000003"}, "S00000000002"},
        {{"S00000000003", "S00000000001", "S00000000003"}, "S00000000003"},
    };
    int n = 0;
    for (const auto& [ids, repeated] : tables) {
        const std::string file = path("twice" + std::to_string(++n) + ".db");
        {
            HostWriter writer(file);
            writer.setMeta("open", "1");
            for (const auto& id : ids) {
                writer.addRecord(TableKind::Sales, RecordSet::pack({{1, id}, {27, "A"}}));
            }
            writer.commit();
        }
        SimHost host(file);
        auto db = host.createDatabase();
        db->OpenEx("");
        try {
            db->Sales()->MoveFirst();
            ADD_FAILURE() << "a repeated ID was accepted in table " << n;
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), kErrHostStorage);
            EXPECT_NE(error.description().find(repeated), std::string::npos) << error.description();
        }
    }
}

TEST_F(SimTablesTest, ContactFieldDefinitions) {
    auto fields = db_->Contact()->Fields();
    ASSERT_EQ(fields->Count(), 4);
    EXPECT_EQ(fields->ID(0), 25);
    EXPECT_EQ(fields->ID(3), 3);
    EXPECT_EQ(fields->ID(4), -1);
    EXPECT_EQ(fields->ID(-1), -1);
    EXPECT_EQ(fields->Label(26), "Contact");
    EXPECT_EQ(fields->Label(77), "");
    EXPECT_EQ(fields->FieldID("Record Manager"), 6);
    EXPECT_LE(fields->FieldID("_None"), 0);
    EXPECT_LE(fields->FieldID(""), 0);
    EXPECT_EQ(fields->Type(6), 13);
    EXPECT_EQ(fields->Type(3), 10);
    EXPECT_EQ(fields->Type(25), 1);
    EXPECT_EQ(fields->Type(555), 1);
}

TEST_F(SimTablesTest, SalesFieldTypesAndStages) {
    auto fields = db_->Sales()->Fields();
    EXPECT_EQ(fields->Type(31), 7);
    EXPECT_EQ(fields->Type(6), 13);
    EXPECT_EQ(fields->Type(200), 1);
    auto stages = fields->PopupInfo(39, 0);
    ASSERT_EQ(stages->PopupCount(), 3);
    EXPECT_EQ(stages->Value(0), "Prospect");
    EXPECT_EQ(stages->Value(2), "Proposal");
    EXPECT_THROW(stages->Value(3), Error);
    EXPECT_EQ(fields->PopupInfo(200, 0)->PopupCount(), 0);
    EXPECT_EQ(db_->Group()->Fields()->Type(201), 1);
}

TEST_F(SimTablesTest, ListTableScopes) {
    auto lists = db_->GetListTable();
    lists->SetScope(1);
    ASSERT_EQ(lists->RecordCount(), 2);
    EXPECT_EQ(lists->Data(26), "Widget");
    lists->MoveNext();
    EXPECT_EQ(lists->Data(26), "Gadget");
    lists->MoveNext();
    EXPECT_EQ(lists->Data(26), "");
    lists->SetScope(3);
    EXPECT_EQ(lists->RecordCount(), 1);
    EXPECT_EQ(lists->Data(26), "Rival Inc");
    EXPECT_THROW(lists->SetScope(4), Error);
}

TEST_F(SimTablesTest, UsersFromPositionOne) {
    auto users = db_->GetUsers();
    ASSERT_EQ(users->Count(), 2);
    EXPECT_EQ(users->UniqueID(1), "U00000000001");
    EXPECT_EQ(users->Name(2), "Ben Baker");
    try {
        users->Name(3);
        FAIL() << "position 3 of 2 users answered";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kErrSubscript);
    }
    EXPECT_THROW(users->UniqueID(0), Error);
}

TEST_F(SimTablesTest, DatabaseDetails) {
    EXPECT_EQ(db_->CurrentUser(), "Ann Admin");
    EXPECT_EQ(db_->GetDatabasePath(), "/home/ann/Contacts/demo.dbf");
    db_->PhoneFormatting(2);
    auto other = host_->createDatabase();
    EXPECT_THROW(other->Sales(), Error);  // not attached yet
    EXPECT_THROW(other->OpenEx("/somewhere/else.dbf"), Error);
    other->OpenEx("/home/ann/Contacts/demo.dbf");
    EXPECT_EQ(walk(*other->Sales()).size(), 3u);
    other->Close();
    EXPECT_THROW(other->Contact(), Error);
}

TEST_F(SimTablesTest, GroupsByUniqueId) {
    auto groups = db_->Group();
    ASSERT_TRUE(groups->GoTo("G00000000001"));
    EXPECT_EQ(groups->Data(25), "Key accounts");
    EXPECT_EQ(groups->Data(201), "West");
    EXPECT_FALSE(groups->GoTo("G00000000002"));
    EXPECT_EQ(groups->Data(1), "");
}

TEST_F(SimTablesTest, AfterTheHostClosesTablesFail) {
    auto app = host_->createAppObject();
    auto sales = db_->Sales();
    EXPECT_TRUE(app->IsDBOpen());
    app->Command(150);
    EXPECT_FALSE(app->IsDBOpen());
    try {
        sales->GoTo("S00000000001");
        FAIL() << "a closed host answered GoTo";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kErrHostNoDatabase);
    }
    EXPECT_THROW(sales->Data(1), Error);
    EXPECT_THROW(db_->Contact(), Error);
    EXPECT_THROW(host_->createDatabase()->OpenEx(""), Error);
    // The host's own database file opens it again.
    app->OpenFile("/home/ann/Contacts/demo.dbf");
    EXPECT_TRUE(app->IsDBOpen());
    EXPECT_TRUE(sales->GoTo("S00000000001"));
}

TEST_F(SimTablesTest, ADatasetWithNoDatabaseOpen) {
    auto dataset = nlohmann::json::parse(kSmallDataset);
    dataset["open"] = false;
    DatasetJson::importJson(path("closed.db"), dataset);
    SimHost closed(path("closed.db"));
    EXPECT_FALSE(closed.createAppObject()->IsDBOpen());
    EXPECT_THROW(closed.createDatabase()->OpenEx(""), Error);
}

}  // namespace
}  // namespace bp::sim::test

namespace bp::sim::test {
namespace {

// Records held in memory give back exactly what was stored, at every field number and value
// length, in less memory than their stored form.
TEST(RecordSetTest, RecordsComeBackAsStoredInLessMemory) {
    const FieldValues first{{1, "S1"},
                            {0, ""},
                            {127, std::string(127, 'a')},
                            {128, std::string(128, 'b')},
                            {65535, std::string(20000, 'c')},
                            {27, "Sales Opportunity"},
                            {27, "again"}};
    const FieldValues second{{34, "12.50"}, {1, "S2"}};
    RecordSet set;
    std::size_t stored = 0;
    for (const auto& fields : {first, second}) {
        const std::string packed = RecordSet::pack(fields);
        stored += packed.size();
        set.append(packed);
    }
    set.buildIndex();
    ASSERT_EQ(set.size(), 2u);
    EXPECT_EQ(set.fields(0), first);
    EXPECT_EQ(set.fields(1), second);
    EXPECT_EQ(set.id(1), "S2");
    EXPECT_EQ(set.field(0, 27), "Sales Opportunity");
    EXPECT_EQ(set.field(0, 65535), std::string(20000, 'c'));
    EXPECT_EQ(set.field(1, 27), "");
    EXPECT_EQ(set.find("S2"), 1u);
    EXPECT_LT(set.bytes(), stored - 4 * 7);
}

TEST(RecordSetTest, ADamagedRecordIsRefusedWhenItComesIn) {
    std::string packed = RecordSet::pack({{1, "S1"}, {27, "Lost Sale"}});
    packed.pop_back();  // the last value is cut short
    RecordSet set;
    EXPECT_THROW(set.append(packed), Error);
}

}  // namespace
}  // namespace bp::sim::test
