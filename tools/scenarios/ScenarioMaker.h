#pragma once
// Selections for the same-output scenarios: every output (the host lookup in each of its three
// modes, the report builder's data file, a CSV export), every scope, sales status combinations,
// creation-date ranges, contact and sales record managers, and one or two conditions (AND and
// AND NOT) over list, number and date fields. Coverage comes from cycles over these choices;
// the values inside them (list entries, users, ranges) from the seed.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "DatasetMaker.h"
#include "SeededRandom.h"

namespace bp::scenarios {

enum class Output { Lookup, DataFile, Export };

struct Scenario {
    std::string name;  // also the name of its selection file and of its expected output
    std::string dataset;
    Output output = Output::Lookup;
    std::vector<std::pair<std::string, std::string>> settings;  // the [Settings] section
};

class ScenarioMaker {
public:
    ScenarioMaker(std::vector<DatasetFacts> datasets, std::uint64_t seed);

    // `count` scenarios from the cycles, then the edge cases.
    std::vector<Scenario> make(int count);

    static const char* outputName(Output output);

private:
    Scenario scenario(int index);
    std::vector<Scenario> edgeCases(int firstNumber) const;
    void outputAndScope(Scenario& s, int index, std::vector<std::string>& words);
    void statuses(Scenario& s, bool lookup, std::vector<std::string>& words);
    void filters(Scenario& s, const DatasetFacts& facts, std::vector<std::string>& words);
    void conditions(Scenario& s, const DatasetFacts& facts, std::vector<std::string>& words);
    void condition(Scenario& s, const DatasetFacts& facts, int which, int field, bool allItems);
    std::string someUsers(const DatasetFacts& facts);
    std::string someIndexes(std::size_t listSize, bool several);
    std::pair<std::string, std::string> someDates();

    std::vector<DatasetFacts> datasets_;
    SeededRandom random_;
    int lookupStatus_ = 0;
    int reportStatus_ = 0;
    int firstField_ = 0;
    int secondShift_ = 0;
    int conditionCount_ = 0;
};

}  // namespace bp::scenarios
