#include "ScenarioMaker.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace bp::scenarios {

namespace {

// The condition fields in the order of the condition combos, with the word for scenario names.
enum class Kind { List, Date, Number };
struct Field {
    const char* word;
    Kind kind;
};
const Field kFields[] = {
    {"products", Kind::List}, {"types", Kind::List},      {"competitors", Kind::List},
    {"stages", Kind::List},   {"closedates", Kind::Date}, {"probabilities", Kind::Number},
    {"units", Kind::Number},  {"amounts", Kind::Number},  {"editdates", Kind::Date}};
constexpr int kFieldCount = 9;

// Sales status boxes as bits: open, won, lost, no sales (lookups only).
const int kReportStatus[] = {1, 3, 7, 2, 5, 4, 6};
const int kLookupStatus[] = {1, 8, 3, 6, 7, 2, 5, 4, 1};
const char* const kStatusWords[] = {"open", "won", "lost", "nosales"};

const char* flag(bool set) {
    return set ? "-1" : "0";
}

}  // namespace

ScenarioMaker::ScenarioMaker(std::vector<DatasetFacts> datasets, std::uint64_t seed)
    : datasets_(std::move(datasets)), random_(seed) {}

const char* ScenarioMaker::outputName(Output output) {
    switch (output) {
        case Output::Lookup:
            return "lookup";
        case Output::DataFile:
            return "datafile";
        case Output::Export:
            return "export";
    }
    return "";
}

std::vector<Scenario> ScenarioMaker::make(int count) {
    std::vector<Scenario> all;
    for (int i = 0; i < count; ++i) {
        all.push_back(scenario(i));
    }
    for (auto& edge : edgeCases(count + 1)) {
        all.push_back(std::move(edge));
    }
    return all;
}

// Selections the cycles would meet only by chance, each on the first dataset; settings are
// written as the selection file holds them, a "Key=Value" a line.
std::vector<Scenario> ScenarioMaker::edgeCases(int firstNumber) const {
    const DatasetFacts& facts = datasets_.front();
    const std::string csvReport = "Lookup=0\nReport=-1\ncboOutput=1\nReportsListIndex=0\n";
    const std::string allContacts = "Report0=0\nReport1=0\nReport2=-1\n";
    const std::string everyStatus = "chkSales0=1\nchkSales1=1\nchkSales2=1\nchkSales3=0\n";
    const std::string onlyStatus = "chkSales0=0\nchkSales1=0\nchkSales2=0\n";
    const std::string close = facts.firstCloseDate;
    const std::string half = std::to_string(facts.evenAmountWholePart) + ".5";
    const std::string nextHalf = std::to_string(facts.evenAmountWholePart + 1) + ".5";
    const std::pair<std::string, std::string> cases[] = {
        // The current contact's own record manager chosen among the contact managers.
        {"export-contact-own-manager",
         csvReport + "Report0=-1\nReport1=0\nReport2=0\n" + everyStatus +
             "ManagedBy0=0\nManagedBy1=-1\nlstUsers0=" + facts.currentContactManager + "%0C\n"},
        // "No Sales Opportunities" left ticked for a report leaves no sales record.
        {"datafile-all-nosales-ticked", "Lookup=0\nReport=-1\ncboOutput=0\nReportsListIndex=0\n" +
                                            allContacts +
                                            "chkSales0=1\nchkSales1=0\n"
                                            "chkSales2=0\nchkSales3=1\n"},
        // No status box ticked selects nothing.
        {"replace-no-status",
         "Lookup=-1\nReport=0\nLookup0=-1\nLookup1=0\nLookup2=0\n" + onlyStatus + "chkSales3=0\n"},
        // Contacts of the current lookup without an open opportunity.
        {"narrow-nosales-only",
         "Lookup=-1\nReport=0\nLookup0=0\nLookup1=0\nLookup2=-1\n" + onlyStatus + "chkSales3=1\n"},
        // Number bounds of an even and the next odd whole number and a half: they round to the
        // even numbers below and above, so the amounts of the even whole number are kept.
        {"export-all-amounts-half-bounds", csvReport + allContacts + everyStatus +
                                               "Condition0=1\ncboCondition0=7\nMin0=" + half +
                                               "\nMax0=" + nextHalf + "\n"},
        // A close-date range of one day keeps that day's records whatever their time.
        {"export-all-closedates-one-day", csvReport + allContacts + everyStatus +
                                              "Condition0=1\ncboCondition0=4\nCondDateStart0=" +
                                              close + "\nCondDateEnd0=" + close + "\n"},
    };
    std::vector<Scenario> edges;
    int number = firstNumber;
    for (const auto& [name, text] : cases) {
        Scenario s;
        s.name = std::to_string(number++) + "-" + name;
        s.dataset = facts.name;
        s.output = name.starts_with("export")     ? Output::Export
                   : name.starts_with("datafile") ? Output::DataFile
                                                  : Output::Lookup;
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line)) {
            const auto equals = line.find('=');
            s.settings.emplace_back(line.substr(0, equals), line.substr(equals + 1));
        }
        edges.push_back(std::move(s));
    }
    return edges;
}

Scenario ScenarioMaker::scenario(int index) {
    const DatasetFacts& facts = datasets_[static_cast<std::size_t>(index) % datasets_.size()];
    Scenario s;
    s.dataset = facts.name;
    char number[16];
    std::snprintf(number, sizeof number, "%02d", index + 1);
    std::vector<std::string> words{number};
    outputAndScope(s, index, words);
    statuses(s, s.output == Output::Lookup, words);
    filters(s, facts, words);
    conditions(s, facts, words);
    for (const auto& word : words) {
        s.name += (s.name.empty() ? "" : "-") + word;
    }
    return s;
}

// Five kinds of run take turns (three lookup modes, data file, export); the report scope moves
// on every fifth scenario, so data files and exports meet every scope and every definition.
void ScenarioMaker::outputAndScope(Scenario& s, int index, std::vector<std::string>& words) {
    const int kind = index % 5;
    const bool lookup = kind == 0 || kind >= 3;
    s.settings.emplace_back("Lookup", flag(lookup));
    s.settings.emplace_back("Report", flag(!lookup));
    if (lookup) {
        const int mode = kind == 0 ? 0 : kind - 2;
        s.output = Output::Lookup;
        for (int m = 0; m < 3; ++m) {
            s.settings.emplace_back("Lookup" + std::to_string(m), flag(m == mode));
        }
        words.push_back(mode == 0 ? "replace" : (mode == 1 ? "add" : "narrow"));
        return;
    }
    const int scope = (index / 5) % 3;
    const bool excel = kind == 1;
    s.output = excel ? Output::DataFile : Output::Export;
    for (int r = 0; r < 3; ++r) {
        s.settings.emplace_back("Report" + std::to_string(r), flag(r == scope));
    }
    s.settings.emplace_back("cboOutput", excel ? "0" : "1");
    // The templates folder lists three spreadsheet reports and one CSV report.
    s.settings.emplace_back("ReportsListIndex", std::to_string(excel ? (index / 15) % 3 : 0));
    words.push_back(excel ? "datafile" : "export");
    words.push_back(scope == 0 ? "contact" : (scope == 1 ? "lookup" : "all"));
}

void ScenarioMaker::statuses(Scenario& s, bool lookup, std::vector<std::string>& words) {
    int bits = lookup ? kLookupStatus[lookupStatus_++ % std::size(kLookupStatus)]
                      : kReportStatus[reportStatus_++ % std::size(kReportStatus)];
    for (int b = 0; b < 4; ++b) {
        const bool set = (bits >> b & 1) != 0;
        s.settings.emplace_back("chkSales" + std::to_string(b), set ? "1" : "0");
        if (set) {
            words.push_back(kStatusWords[b]);
        }
    }
}

void ScenarioMaker::filters(Scenario& s, const DatasetFacts& facts,
                            std::vector<std::string>& words) {
    const bool dates = random_.percent(35);
    s.settings.emplace_back("Date0", flag(!dates));
    s.settings.emplace_back("Date1", flag(dates));
    if (dates) {
        auto [start, end] = someDates();
        s.settings.emplace_back("SalesDateStart", start);
        s.settings.emplace_back("SalesDateEnd", end);
        words.push_back("created");
    }
    const bool managers = random_.percent(25);
    s.settings.emplace_back("ManagedBy0", flag(!managers));
    s.settings.emplace_back("ManagedBy1", flag(managers));
    if (managers) {
        s.settings.emplace_back("lstUsers0", someUsers(facts));
        words.push_back("managers");
    }
    const bool salesManagers = random_.percent(25);
    s.settings.emplace_back("SalesManagedBy0", flag(!salesManagers));
    s.settings.emplace_back("SalesManagedBy1", flag(salesManagers));
    if (salesManagers) {
        s.settings.emplace_back("lstSalesUsers0", someUsers(facts));
        words.push_back("salesmanagers");
    }
}

// Three scenarios in four carry a first condition, every second of those a second one; the
// first condition's field walks through all nine, the second's through the other eight.
void ScenarioMaker::conditions(Scenario& s, const DatasetFacts& facts,
                               std::vector<std::string>& words) {
    if (conditionCount_++ % 4 == 3) {
        s.settings.emplace_back("Condition0", "0");
        return;
    }
    const int first = firstField_++ % kFieldCount;
    const bool allItems = kFields[first].kind == Kind::List && random_.percent(50);
    condition(s, facts, 0, first, allItems);
    words.push_back(std::string(kFields[first].word) + (allItems ? "all" : ""));
    if (conditionCount_ % 2 == 1) {
        s.settings.emplace_back("Condition1", "0");
    } else {
        const int field = (first + 1 + secondShift_++ % (kFieldCount - 1)) % kFieldCount;
        const bool reverse = secondShift_ % 2 == 0;
        condition(s, facts, 1, field, false);
        s.settings.emplace_back("Reverse", reverse ? "1" : "0");
        words.push_back(reverse ? "andnot" : "and");
        words.push_back(kFields[field].word);
    }
}

void ScenarioMaker::condition(Scenario& s, const DatasetFacts& facts, int which, int field,
                              bool allItems) {
    const std::string n = std::to_string(which);
    s.settings.emplace_back("Condition" + n, "1");
    s.settings.emplace_back("cboCondition" + n, std::to_string(field));
    switch (kFields[field].kind) {
        case Kind::List: {
            const std::vector<std::string>* lists[] = {&facts.products, &facts.types,
                                                       &facts.competitors, &facts.stages};
            // The criteria lists add an entry for an empty field: "<<Empty>>".
            s.settings.emplace_back("lstCriteria" + n,
                                    someIndexes(lists[field]->size() + 1, allItems));
            if (which == 0) {
                s.settings.emplace_back("OR0", flag(!allItems));
                s.settings.emplace_back("AND0", flag(allItems));
            }
            break;
        }
        case Kind::Date: {
            auto [start, end] = someDates();
            s.settings.emplace_back("CondDateStart" + n, start);
            s.settings.emplace_back("CondDateEnd" + n, end);
            break;
        }
        case Kind::Number: {
            const int scale = field == 5 ? 5 : (field == 6 ? 1 : 250);
            const int low = scale * random_.between(0, 10);
            s.settings.emplace_back("Min" + n, std::to_string(low) + (field == 7 ? ".5" : ""));
            s.settings.emplace_back("Max" + n,
                                    random_.percent(30)
                                        ? std::string()
                                        : std::to_string(low + scale * random_.between(2, 12)));
            break;
        }
    }
}

// One to three users by name, each followed by the list separator as the settings keep them.
std::string ScenarioMaker::someUsers(const DatasetFacts& facts) {
    std::string text;
    std::vector<std::string> chosen;
    const int count = random_.between(1, 3);
    for (int i = 0; i < count; ++i) {
        const std::string& name = random_.pick(facts.users);
        if (std::find(chosen.begin(), chosen.end(), name) == chosen.end()) {
            chosen.push_back(name);
            text += name + "%0C";
        }
    }
    return text;
}

std::string ScenarioMaker::someIndexes(std::size_t listSize, bool several) {
    std::vector<int> chosen;
    const int count = several ? random_.between(2, 3) : random_.between(1, 3);
    for (int i = 0; i < count; ++i) {
        const int index = random_.below(static_cast<int>(listSize));
        if (std::find(chosen.begin(), chosen.end(), index) == chosen.end()) {
            chosen.push_back(index);
        }
    }
    std::sort(chosen.begin(), chosen.end());
    std::string text;
    for (int index : chosen) {
        text += std::to_string(index) + "%0C";
    }
    return text;
}

// A start in 2024 or 2025 and an end in the year after it, as the regional date text.
std::pair<std::string, std::string> ScenarioMaker::someDates() {
    const int year = 2024 + random_.below(2);
    auto date = [this](int y) {
        return std::to_string(random_.between(1, 12)) + "/" +
               std::to_string(random_.between(1, 28)) + "/" + std::to_string(y);
    };
    std::string start = date(year);
    return {start, date(year + 1)};
}

}  // namespace bp::scenarios
