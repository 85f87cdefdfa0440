#pragma once
// One fixture for the filter engine's tests: a temporary folder holding a host database
// imported from a small hand-written dataset, a session over it with a scripted UI, and a
// criteria snapshot each test adjusts. Nothing touches the user's own host, store or folders.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "act/Session.h"
#include "act/sim/DatasetJson.h"
#include "act/sim/HostStore.h"
#include "act/sim/SimHost.h"
#include "criteria/Criteria.h"
#include "filter/IdList.h"
#include "forms/ScriptedUi.h"
#include "platform/TestSupport.h"
#include "support/ReleaseHost.h"

namespace bp::filter::test {

using nlohmann::json;

inline std::string makeId(char kind, int number) {
    std::string digits = std::to_string(number);
    return kind + std::string(11 - digits.size(), '0') + digits;
}
inline std::string contactId(int n) {
    return makeId('C', n);
}
inline std::string saleId(int n) {
    return makeId('S', n);
}
inline std::string userId(int n) {
    return makeId('U', n);
}

inline json contact(int n, int manager = 1) {
    return {{"1", contactId(n)}, {"6", userId(manager)}};
}

// A sales record of contact `owner`, created on 3/14/2026, an open opportunity managed by
// user 1 unless `fields` says otherwise.
inline json sale(int n, int owner, json fields = json::object()) {
    json record = {{"1", saleId(n)},
                   {"25", contactId(owner)},
                   {"6", userId(1)},
                   {"27", "Sales Opportunity"},
                   {"35", "3/14/2026 9:30:00 AM"}};
    record.update(fields);
    return record;
}

inline std::vector<std::string> ids(const IdList& list) {
    return list.toVector();
}
inline std::vector<std::string> sales(std::initializer_list<int> numbers) {
    std::vector<std::string> out;
    for (int n : numbers) {
        out.push_back(saleId(n));
    }
    return out;
}
inline std::vector<std::string> contacts(std::initializer_list<int> numbers) {
    std::vector<std::string> out;
    for (int n : numbers) {
        out.push_back(contactId(n));
    }
    return out;
}

class FilterFixture : public ::testing::Test {
protected:
    FilterFixture() {
        criteria_.optLookup = {true, false, false};  // replace lookup: all contacts
    }

    void TearDown() override {
        // The host's database closes before the folder holding it goes.
        session_ = act::Session{};
        host_.reset();
    }

    static json dataset(json contactRecords, json salesRecords) {
        return {{"users",
                 {{{"id", userId(1)}, {"name", "Ann Admin"}},
                  {{"id", userId(2)}, {"name", "Ben Baker"}},
                  {{"id", userId(3)}, {"name", "Cy Cole"}}}},
                {"contacts", std::move(contactRecords)},
                {"sales", std::move(salesRecords)}};
    }

    // Imports the dataset and attaches a session as start-up does, saving the start-up lookup.
    void load(const json& data) {
        std::string path = (folder_ / "host.db").string();
        bp::test::releaseHost(session_);
        host_.reset();
        sim::DatasetJson::importJson(path, data);
        host_ = std::make_unique<sim::SimHost>(path);
        session_.ui = &ui_;
        session_.host = host_.get();
        session_.programFolder = folder_.string();
        session_.objActApp = host_->createAppObject();
        session_.objDatabase = host_->createDatabase();
        session_.objDatabase->OpenEx("");
        session_.objContact = session_.objDatabase->Contact();
        session_.objSales = session_.objDatabase->Sales();
        session_.objUsers = session_.objDatabase->GetUsers();
        session_.objViews = session_.objActApp->GetViews();
        session_.objContactView = session_.objViews->Create(1, "CV");
        session_.objActApp->SaveCurrentLookup(session_.programFolder + "/~currentLU.lku");
        baseline_ = host_->callCounts();
    }

    // Host calls of one member since load() (or the last resetCalls()).
    std::uint64_t calls(const std::string& member) const {
        auto now = host_->callCounts();
        auto before = baseline_.find(member);
        std::uint64_t base = before == baseline_.end() ? 0 : before->second;
        auto found = now.find(member);
        return found == now.end() ? 0 : found->second - base;
    }
    void resetCalls() { baseline_ = host_->callCounts(); }

    sim::HostStore store() const { return sim::HostStore((folder_ / "host.db").string()); }

    void selectCondition(int index, int field, std::vector<std::string> items = {}) {
        auto& condition = criteria_.conditions.at(static_cast<std::size_t>(index));
        condition.applied = true;
        condition.field = field;
        condition.selectedItems = std::move(items);
    }

    platform::test::TempFolder temp_;
    std::filesystem::path folder_ = temp_.path();
    platform::test::ScopedEnv locale_{"BRINDLEPATH_LOCALE", std::string("en_US")};
    platform::test::ScopedEnv hostPath_{"BRINDLEPATH_HOST", temp_.file("host.db")};
    platform::test::ScopedEnv settings_{"BRINDLEPATH_SETTINGS", temp_.file("settings.ini")};
    platform::test::ScopedEnv home_{"BRINDLEPATH_HOME", temp_.path().string()};
    forms::ScriptedUi ui_;
    std::unique_ptr<sim::SimHost> host_;
    act::Session session_;
    criteria::Criteria criteria_;
    std::map<std::string, std::uint64_t> baseline_;
};

}  // namespace bp::filter::test
