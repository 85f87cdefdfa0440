#pragma once
// Small host datasets for the same-output scenarios, in the JSON the host tool imports: tens of
// contacts and a few hundred sales with names and list entries outside ASCII, empty fields,
// contacts without a record manager or without sales, dates with times over three years.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "SeededRandom.h"

namespace bp::scenarios {

struct DatasetShape {
    std::string name;
    std::uint64_t seed = 1;
    int contacts = 30;
    int users = 4;
    int maxSalesPerContact = 8;
    int withoutSalesPercent = 10;
    int emptyFieldPercent = 5;  // chance of each optional sales field staying empty
};

// What the scenarios need to know of a dataset to pick valid list entries, users and ranges.
struct DatasetFacts {
    std::string name;
    std::vector<std::string> users;  // names, in the host's order
    std::vector<std::string> products, types, competitors, stages;
    std::string currentContactManager;  // the current contact's record manager, by name
    std::string firstCloseDate;         // of the first sales record with one, "M/D/YYYY"
    // The even whole part of an amount with cents (0 when none): a bound of that number and a
    // half keeps it when halves round to even, and not when they round up.
    long long evenAmountWholePart = 0;
};

class DatasetMaker {
public:
    explicit DatasetMaker(DatasetShape shape);

    nlohmann::ordered_json make();
    const DatasetFacts& facts() const { return facts_; }

    // "6/12/2025 9:15:00 AM": how the host shows a date under en_US.
    static std::string hostDate(int year, int month, int day, int hour, int minute);

private:
    static std::string busiestContact(const nlohmann::ordered_json& sales);
    void noteFacts(const nlohmann::ordered_json& contacts, const nlohmann::ordered_json& sales,
                   const std::string& current);
    nlohmann::ordered_json users();
    nlohmann::ordered_json contacts();
    nlohmann::ordered_json sales(const std::vector<std::string>& contactIds);
    nlohmann::ordered_json sale(const std::string& id, const std::string& contactId);
    void optional(nlohmann::ordered_json& record, const char* field, std::string value);
    std::string dateAfter(int firstDay, int spread, int* day);
    std::string amount(int units, const std::string& price);
    std::string userId();

    DatasetShape shape_;
    DatasetFacts facts_;
    std::vector<std::string> prices_;
    SeededRandom random_;
    int salesCount_ = 0;
};

}  // namespace bp::scenarios
