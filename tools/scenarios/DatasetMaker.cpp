#include "DatasetMaker.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

namespace bp::scenarios {

namespace {

using nlohmann::ordered_json;

constexpr int kFirstYear = 2024;
constexpr int kDays = 3 * 365;

const std::vector<std::string> kUserNames = {"Ann Admin",          "Björn Åström", "Zoë Dupré",
                                             "Ben \"Boss\" Baker", "Çağla Yılmaz", "Anne Admin"};
const std::vector<std::string> kFirstNames = {
    "Sam",   "Zoë",    "Renée", "François", "Jürgen", "Åsa",         "Ólafur",
    "Chloé", "Łukasz", "Søren", "Mónica",   "Ingrid", "Dana \"DJ\"", "Pat"};
const std::vector<std::string> kLastNames = {"Østergaard", "Nuñez",      "Dvořák",   "Lefèvre",
                                             "García",     "Müller",     "O'Neil",   "Brontë",
                                             "Smith",      "Clark, Jr.", "Kowalski", "Şahin"};
const std::vector<std::string> kCompanies = {
    "Acme Ltd",          "acme labs",        "Ärzte Verbund GmbH",  "Émile & Fils",
    "Smith, Jones & Co", "Zeta Inc",         "Ørsted Energi",       "Bâtiments \"Le Nord\"",
    "beta gmbh",         "Øresund Logistik", "Zürich Versicherung", "Ångström Optics",
    "Çelik Makina",      "Ebbe's Bakery",    "Über Mobility",       "Alpha Omega",
    "ALPHA omega",       "Naïve Foods",      "Łódź Textiles",       "Marché Central",
    "apple grove",       "Élan Vital",       "O'Brien Pubs",        "Søren Kierkegaard ApS"};
const std::vector<std::string> kCities = {"München",   "Zürich", "Montréal",  "København",
                                          "São Paulo", "Boston", "  Austin ", "Kraków",
                                          "Reykjavík", "Berlin"};
const std::vector<std::pair<std::string, std::string>> kProducts = {
    {"Widget", "49.90"},           {"Gadget", "129.00"},        {"Widget, large", "99.99"},
    {"Sprocket \"Pro\"", "19.95"}, {"Service Plan", "450"},     {"Schraube Ø8", "0.99"},
    {"Überholung", "1250.50"},     {"Café Maschine", "2999.95"}};
const std::vector<std::string> kTypes = {"New", "Upgrade", "Renewal", "Add-on", "Ersatz/Tausch"};
const std::vector<std::string> kCompetitors = {"Rival Inc", "Globex, Ltd.", "Initech",
                                               "Müller & Söhne", "Umbrella"};
const std::vector<std::string> kStages = {"Prospect", "Qualified", "Proposal", "Négociation",
                                          "Closed"};
const std::vector<std::string> kStatus = {"Sales Opportunity", "Closed/Won Sale", "Lost Sale"};

std::string numbered(char kind, int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%c%011d", kind, number);
    return text;
}

// The first `count` entries, at least two: lists differ in length between datasets.
std::vector<std::string> firstOf(const std::vector<std::string>& items, int count) {
    return {items.begin(), items.begin() + std::max(2, std::min<int>(count, items.size()))};
}

}  // namespace

DatasetMaker::DatasetMaker(DatasetShape shape) : shape_(std::move(shape)), random_(shape_.seed) {
    facts_.name = shape_.name;
    facts_.users = firstOf(kUserNames, shape_.users);
    int productCount = random_.between(4, static_cast<int>(kProducts.size()));
    for (int i = 0; i < productCount; ++i) {
        facts_.products.push_back(kProducts[static_cast<std::size_t>(i)].first);
        prices_.push_back(kProducts[static_cast<std::size_t>(i)].second);
    }
    facts_.types = firstOf(kTypes, random_.between(3, static_cast<int>(kTypes.size())));
    facts_.competitors =
        firstOf(kCompetitors, random_.between(3, static_cast<int>(kCompetitors.size())));
    facts_.stages = firstOf(kStages, random_.between(4, static_cast<int>(kStages.size())));
}

std::string DatasetMaker::hostDate(int year, int month, int day, int hour, int minute) {
    char text[40];
    int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:00 %s", month, day, year, hour12, minute,
                  hour < 12 ? "AM" : "PM");
    return text;
}

ordered_json DatasetMaker::make() {
    ordered_json dataset;
    dataset["currentUser"] = facts_.users.front();
    dataset["databasePath"] = "/home/ann/Contacts/" + shape_.name + " Kontakte.dbf";
    dataset["users"] = users();
    dataset["contactFields"] =
        ordered_json::array({{{"id", 25}, {"label", "Company"}, {"type", 1}},
                             {{"id", 26}, {"label", "Contact"}, {"type", 1}},
                             {{"id", 30}, {"label", "City"}, {"type", 1}},
                             {{"id", 6}, {"label", "Record Manager"}, {"type", 13}}});
    dataset["salesFieldTypes"] = {{"31", 7}, {"35", 7}, {"3", 10}, {"30", 5},
                                  {"32", 5}, {"33", 6}, {"34", 6}, {"6", 13}};
    dataset["groupFieldTypes"] = {{"25", 1}, {"201", 1}};
    ordered_json contactList = contacts();
    std::vector<std::string> ids;
    for (const auto& contact : contactList) {
        ids.push_back(contact["1"].get<std::string>());
    }
    dataset["contacts"] = contactList;
    ordered_json saleList = sales(ids);
    dataset["sales"] = saleList;
    dataset["groups"] = ordered_json::array();
    dataset["lists"] = {{"1", facts_.products}, {"2", facts_.types}, {"3", facts_.competitors}};
    dataset["salesStages"] = facts_.stages;
    ordered_json lookup = ordered_json::array();
    for (const auto& id : ids) {
        if (random_.percent(50)) {
            lookup.push_back(id);
        }
    }
    dataset["currentLookup"] = lookup;
    dataset["currentContact"] = busiestContact(saleList);
    noteFacts(contactList, saleList, dataset["currentContact"].get<std::string>());
    return dataset;
}

void DatasetMaker::noteFacts(const ordered_json& contacts, const ordered_json& sales,
                             const std::string& current) {
    for (const auto& contact : contacts) {
        const std::string manager = contact["6"].get<std::string>();
        if (contact["1"] == current && !manager.empty()) {
            facts_.currentContactManager = facts_.users[std::stoul(manager.substr(1)) - 1];
        }
    }
    for (const auto& sale : sales) {
        const std::string amount = sale.contains("34") ? sale["34"].get<std::string>() : "";
        const auto point = amount.find('.');
        if (facts_.evenAmountWholePart == 0 && point != std::string::npos &&
            amount.substr(point) != ".00" && std::stoll(amount.substr(0, point)) % 2 == 0) {
            facts_.evenAmountWholePart = std::stoll(amount.substr(0, point));
        }
    }
    for (const auto& sale : sales) {
        if (sale.contains("31")) {
            const std::string date = sale["31"].get<std::string>();
            facts_.firstCloseDate = date.substr(0, date.find(' '));
            break;
        }
    }
}

// The contact with the most sales (the first of equals), so runs on the current contact have
// something to choose from.
std::string DatasetMaker::busiestContact(const ordered_json& sales) {
    std::map<std::string, int> counts;
    std::string busiest;
    for (const auto& sale : sales) {
        const std::string id = sale["25"].get<std::string>();
        if (++counts[id] > counts[busiest]) {
            busiest = id;
        }
    }
    return busiest;
}

ordered_json DatasetMaker::users() {
    ordered_json list = ordered_json::array();
    for (std::size_t i = 0; i < facts_.users.size(); ++i) {
        list.push_back({{"id", numbered('U', static_cast<int>(i) + 1)}, {"name", facts_.users[i]}});
    }
    return list;
}

std::string DatasetMaker::userId() {
    return numbered('U', 1 + random_.below(static_cast<int>(facts_.users.size())));
}

ordered_json DatasetMaker::contacts() {
    ordered_json list = ordered_json::array();
    for (int i = 1; i <= shape_.contacts; ++i) {
        std::string company = random_.percent(70)
                                  ? random_.pick(kCompanies)
                                  : random_.pick(kLastNames) + " " + random_.pick(kCities);
        list.push_back({{"1", numbered('C', i)},
                        {"6", random_.percent(12) ? std::string() : userId()},
                        {"25", company},
                        {"26", random_.pick(kFirstNames) + " " + random_.pick(kLastNames)},
                        {"30", random_.pick(kCities)}});
    }
    return list;
}

ordered_json DatasetMaker::sales(const std::vector<std::string>& contactIds) {
    ordered_json list = ordered_json::array();
    for (const auto& contactId : contactIds) {
        if (random_.percent(shape_.withoutSalesPercent)) {
            continue;
        }
        int count = random_.between(1, shape_.maxSalesPerContact);
        for (int s = 0; s < count; ++s) {
            list.push_back(sale(numbered('S', ++salesCount_), contactId));
        }
    }
    return list;
}

ordered_json DatasetMaker::sale(const std::string& id, const std::string& contactId) {
    int status = random_.below(10) < 5 ? 0 : (random_.below(5) < 3 ? 1 : 2);
    auto product = static_cast<std::size_t>(random_.below(static_cast<int>(prices_.size())));
    int units = random_.between(1, 40);
    int created = 0;
    int closes = 0;
    ordered_json record = {{"1", id}, {"25", contactId}, {"27", kStatus[status]}};
    record["35"] = dateAfter(0, kDays - 200, &created);
    optional(record, "6", userId());
    optional(record, "200", facts_.products[product]);
    optional(record, "201", random_.pick(facts_.types));
    optional(record, "39", status == 0 ? random_.pick(facts_.stages) : facts_.stages.back());
    if (random_.percent(60)) {
        record["202"] = random_.pick(facts_.competitors);
    }
    optional(record, "30",
             std::to_string(status == 0 ? 5 * random_.between(1, 19) : (status == 1 ? 100 : 0)));
    optional(record, "32", std::to_string(units));
    record["33"] = prices_[product];
    optional(record, "34", amount(units, prices_[product]));
    optional(record, "31", dateAfter(created + 7, 180, &closes));
    record["3"] = dateAfter(std::max(created, closes), 10, nullptr);
    return record;
}

void DatasetMaker::optional(ordered_json& record, const char* field, std::string value) {
    if (!random_.percent(shape_.emptyFieldPercent)) {
        record[field] = std::move(value);
    }
}

// A day from firstDay to firstDay + spread (days since the first of January of the first year)
// at a quarter hour of the working day.
std::string DatasetMaker::dateAfter(int firstDay, int spread, int* day) {
    using namespace std::chrono;
    int chosen = firstDay + random_.below(spread + 1);
    if (day != nullptr) {
        *day = chosen;
    }
    year_month_day ymd{sys_days(year{kFirstYear} / 1 / 1) + days{chosen}};
    int slot = random_.below(40);
    return hostDate(static_cast<int>(ymd.year()), static_cast<int>(unsigned(ymd.month())),
                    static_cast<int>(unsigned(ymd.day())), 8 + slot / 4, 15 * (slot % 4));
}

// Usually units times price; sometimes a discount with odd cents or a round figure typed in.
std::string DatasetMaker::amount(int units, const std::string& price) {
    long long cents = units * std::llround(std::strtod(price.c_str(), nullptr) * 100);
    if (random_.percent(15)) {
        cents = cents * random_.between(50, 95) / 100;
    } else if (random_.percent(10)) {
        return std::to_string(random_.between(1, 90) * 250);
    }
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld", cents / 100, cents % 100);
    return text;
}

}  // namespace bp::scenarios
