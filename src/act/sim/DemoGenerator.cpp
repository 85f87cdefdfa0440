#include "act/sim/DemoGenerator.h"

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "act/sim/HostWriter.h"
#include "act/sim/RecordSet.h"
#include "platform/Locale.h"

namespace bp::sim {

namespace {

using namespace std::chrono;

constexpr int kYears = 3;
constexpr int kFirstYear = 2024;
constexpr int kTimeSlots = 40;  // quarter hours from 8:00 to 17:45

const std::array kStatus = {"Sales Opportunity", "Closed/Won Sale", "Lost Sale"};
const std::array kProducts = {"Widget",       "Gadget",       "Sprocket", "Sprocket Pro",
                              "Service Plan", "Installation", "Training", "Support Contract"};
const std::array kProductPrices = {"49.90",  "129.00", "19.95",  "89.50",
                                   "450.00", "250.00", "990.00", "1200.00"};
const std::array kTypes = {"New", "Upgrade", "Renewal", "Add-on"};
const std::array kCompetitors = {"Rival Inc", "Acme Corp", "Globex", "Initech", "Umbrella"};
const std::array kStages = {"Prospect", "Qualified",   "Needs Analysis",
                            "Proposal", "Negotiation", "Closed"};
const std::array kUsers = {"Ann Admin",   "Ben Baker",   "Carla Diaz", "Dev Patel",
                           "Elena Rossi", "Frank Moore", "Grace Kim",  "Hiro Tanaka",
                           "Ines Weber",  "Jon Olsen",   "Kim Lee",    "Luis Ortega"};
const std::array kFirstNames = {"Jo",    "Sam",   "Alex",  "Maria", "Chris", "Pat",  "Dana",
                                "Lee",   "Robin", "Terry", "Kate",  "Omar",  "Yuki", "Nina",
                                "Peter", "Sofia", "Ivan",  "Grace", "Tom",   "Lena"};
const std::array kLastNames = {"Smith",  "Jones", "Miller", "Garcia", "Brown", "Wilson",
                               "Taylor", "Clark", "Lewis",  "Walker", "Young", "King",
                               "Wright", "Lopez", "Hill",   "Green",  "Adams", "Baker"};
const std::array kCompanyWords = {"Acme",    "Summit",   "Harbor",   "Pioneer", "Blue Sky",
                                  "Granite", "Maple",    "Vertex",   "Nordic",  "Cedar",
                                  "Orbit",   "Sterling", "Lakeside", "Redwood", "Atlas"};
const std::array kCompanyKinds = {"Ltd", "Inc", "GmbH", "& Co", "Group", "Partners", "LLC"};
const std::array kTitles = {"CEO",   "Buyer",         "Purchasing Manager", "CTO", "Office Manager",
                            "Owner", "Sales Director"};
const std::array kIndustries = {"Manufacturing", "Retail",    "Healthcare",
                                "Education",     "Logistics", "Finance"};
struct Town {
    const char* city;
    const char* state;
    const char* zip;
};
const std::array kPlaces = {Town{"Seattle", "WA", "98101"},   Town{"Portland", "OR", "97201"},
                            Town{"Denver", "CO", "80202"},    Town{"Austin", "TX", "78701"},
                            Town{"Chicago", "IL", "60601"},   Town{"Boston", "MA", "02108"},
                            Town{"Atlanta", "GA", "30303"},   Town{"Phoenix", "AZ", "85003"},
                            Town{"San Diego", "CA", "92101"}, Town{"Columbus", "OH", "43215"}};
const std::array kRegions = {"West", "East", "Central", "South"};
const std::array kGroupNames = {"Key accounts", "Trade fair 2025", "Newsletter", "Partners",
                                "Distributors", "Public sector",   "Start-ups",  "Referrals"};

// splitmix64: fast, and the same numbers on every platform and standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool percent(int p) { return below(100) < p; }
    template <typename T, std::size_t N>
    const T& pick(const std::array<T, N>& items) {
        return items[static_cast<std::size_t>(below(static_cast<int>(N)))];
    }

private:
    std::uint64_t state_;
};

std::string uniqueId(char kind, std::int64_t number) {
    char text[32];
    std::snprintf(text, sizeof text, "%c%011lld", kind, static_cast<long long>(number));
    return text;
}

class Generator {
public:
    Generator(const std::string& dbPath, const DemoOptions& options)
        : options_(options),
          random_(options.seed),
          writer_(dbPath),
          locale_(platform::Locale::current()) {
        days_ = static_cast<int>(
            (sys_days(year{kFirstYear + kYears} / 1 / 1) - sys_days(year{kFirstYear} / 1 / 1))
                .count());
        dateTexts_.resize(static_cast<std::size_t>(days_) * kTimeSlots);
    }

    DemoSummary run() {
        header();
        users();
        lists();
        groups();
        contacts();
        writer_.commit();
        return summary_;
    }

private:
    void header() {
        writer_.setMeta("currentUser", kUsers[0]);
        writer_.setMeta("currentContact", uniqueId('C', 1));
        if (!options_.databasePath.empty()) {
            writer_.setMeta("databasePath", options_.databasePath);
        }
        for (const auto& [id, label, type] : kContactFields) {
            writer_.addField(TableKind::Contact, {id, label, type});
        }
        for (const auto& [id, type] : kSalesTypes) {
            writer_.addField(TableKind::Sales, {id, "", type});
        }
        writer_.addField(TableKind::Group, {25, "", 1});
        writer_.addField(TableKind::Group, {201, "", 1});
    }

    void users() {
        int count = std::min<int>(options_.users, static_cast<int>(kUsers.size()));
        for (int i = 0; i < count; ++i) {
            userIds_.push_back(uniqueId('U', i + 1));
            writer_.addUser({userIds_.back(), kUsers[static_cast<std::size_t>(i)]});
        }
    }

    void lists() {
        for (const char* product : kProducts) {
            writer_.addListEntry("1", product);
        }
        for (const char* type : kTypes) {
            writer_.addListEntry("2", type);
        }
        for (const char* competitor : kCompetitors) {
            writer_.addListEntry("3", competitor);
        }
        for (const char* stage : kStages) {
            writer_.addSalesStage(stage);
        }
    }

    void groups() {
        for (int i = 0; i < options_.groups; ++i) {
            groupIds_.push_back(uniqueId('G', i + 1));
            FieldValues group{{1, groupIds_.back()},
                              {25, kGroupNames[static_cast<std::size_t>(i) % kGroupNames.size()]}};
            if (i % 3 != 2) {
                group.emplace_back(201, random_.pick(kRegions));
            }
            writer_.addRecord(TableKind::Group, RecordSet::pack(group));
        }
        summary_.groups = options_.groups;
    }

    const std::string& user() {
        return userIds_[static_cast<std::size_t>(random_.below(static_cast<int>(userIds_.size())))];
    }

    void contacts() {
        for (int i = 1; i <= options_.contacts; ++i) {
            std::string id = uniqueId('C', i);
            writer_.addRecord(TableKind::Contact, RecordSet::pack(contact(id)));
            ++summary_.contacts;
            if (random_.percent(options_.contactsWithoutSalesPercent)) {
                continue;
            }
            int count = options_.varySales ? 1 + random_.below(2 * options_.salesPerContact)
                                           : options_.salesPerContact;
            for (int s = 0; s < count; ++s) {
                writer_.addRecord(TableKind::Sales, RecordSet::pack(sale(id)));
                ++summary_.sales;
            }
        }
    }

    FieldValues contact(const std::string& id) {
        const Town& place = random_.pick(kPlaces);
        std::string company =
            std::string(random_.pick(kCompanyWords)) + " " + random_.pick(kCompanyKinds);
        FieldValues fields{
            {1, id},
            {6, userIds_.empty() ? std::string() : user()},
            {25, company},
            {26, std::string(random_.pick(kFirstNames)) + " " + random_.pick(kLastNames)},
            {30, place.city},
            {32, place.state},
            {33, place.zip}};
        optional(fields, 27, 80, random_.pick(kTitles));
        optional(fields, 28, 90, phone());
        optional(fields, 60, 70, random_.pick(kIndustries));
        optional(fields, 61, 60, random_.pick(kRegions));
        int created = random_.below(days_);
        fields.emplace_back(4, date(created));
        fields.emplace_back(3, date(std::min(days_ - 1, created + random_.below(200))));
        return fields;
    }

    FieldValues sale(const std::string& contactId) {
        int status = random_.below(10) < 5 ? 0 : (random_.below(5) < 3 ? 1 : 2);
        int created = random_.below(days_);
        int closes = std::min(days_ - 1, created + 7 + random_.below(180));
        int product = random_.below(static_cast<int>(kProducts.size()));
        int units = 1 + random_.below(50);
        FieldValues f{{1, uniqueId('S', ++sales_)},
                      {25, contactId},
                      {27, kStatus[status]},
                      {35, date(created)}};
        if (!userIds_.empty()) {
            f.emplace_back(6, user());
        }
        if (!groupIds_.empty() && random_.percent(30)) {
            f.emplace_back(26, groupIds_[static_cast<std::size_t>(
                                   random_.below(static_cast<int>(groupIds_.size())))]);
        }
        optional(f, 31, 95, date(closes));
        f.emplace_back(3, date(std::min(days_ - 1, closes + random_.below(10))));
        optional(
            f, 30, 95,
            std::to_string(status == 0 ? 10 * (1 + random_.below(9)) : (status == 1 ? 100 : 0)));
        optional(f, 39, 95, status == 0 ? random_.pick(kStages) : kStages.back());
        optional(f, 200, 97, kProducts[static_cast<std::size_t>(product)]);
        optional(f, 201, 90, random_.pick(kTypes));
        optional(f, 202, 60, random_.pick(kCompetitors));
        optional(f, 32, 97, std::to_string(units));
        f.emplace_back(33, kProductPrices[static_cast<std::size_t>(product)]);
        optional(f, 34, 97, amount(units, kProductPrices[static_cast<std::size_t>(product)]));
        return f;
    }

    // Some fields stay empty, as in any real database: filled with the given chance.
    void optional(FieldValues& fields, int field, int percentFilled, std::string value) {
        if (random_.percent(percentFilled)) {
            fields.emplace_back(field, std::move(value));
        }
    }

    std::string phone() {
        char text[20];
        std::snprintf(text, sizeof text, "(555) %03d-%04d", random_.below(1000),
                      random_.below(10000));
        return text;
    }

    static std::string amount(int units, const char* price) {
        long long cents = units * std::llround(std::strtod(price, nullptr) * 100);
        char text[32];
        std::snprintf(text, sizeof text, "%lld.%02lld", cents / 100, cents % 100);
        return text;
    }

    // A date of the three years with a time of the working day. Texts are cached: a million
    // records share about forty thousand distinct date texts.
    const std::string& date(int day) {
        int slot = random_.below(kTimeSlots);
        std::string& text = dateTexts_[static_cast<std::size_t>(day * kTimeSlots + slot)];
        if (text.empty()) {
            year_month_day ymd{sys_days(year{kFirstYear} / 1 / 1) + std::chrono::days{day}};
            DateTime when{static_cast<int>(ymd.year()),
                          static_cast<int>(unsigned(ymd.month())),
                          static_cast<int>(unsigned(ymd.day())),
                          8 + slot / 4,
                          15 * (slot % 4),
                          0};
            text = options_.formatDate ? options_.formatDate(when) : locale_.formatDateTime(when);
        }
        return text;
    }

    struct ContactField {
        int id;
        const char* label;
        int type;
    };
    static constexpr std::array kContactFields = {
        ContactField{3, "Edit Date", 10},      ContactField{4, "Create Date", 10},
        ContactField{6, "Record Manager", 13}, ContactField{25, "Company", 1},
        ContactField{26, "Contact", 1},        ContactField{27, "Title", 1},
        ContactField{28, "Phone", 1},          ContactField{30, "City", 1},
        ContactField{32, "State", 1},          ContactField{33, "ZIP", 1},
        ContactField{60, "Industry", 1},       ContactField{61, "Region", 1}};
    static constexpr std::array<std::pair<int, int>, 8> kSalesTypes = {
        {{3, 10}, {6, 13}, {30, 5}, {31, 7}, {32, 5}, {33, 6}, {34, 6}, {35, 7}}};

    const DemoOptions& options_;
    Random random_;
    HostWriter writer_;
    platform::Locale locale_;
    DemoSummary summary_;
    std::vector<std::string> userIds_, groupIds_;
    std::vector<std::string> dateTexts_;
    std::int64_t sales_ = 0;
    int days_ = 0;
};

}  // namespace

DemoSummary DemoGenerator::generate(const std::string& dbPath, const DemoOptions& options) {
    return Generator(dbPath, options).run();
}

}  // namespace bp::sim
