#pragma once
// Writes the generated scenario folder: each dataset as DATASET.json (one record a line, so a
// change reads well in a diff), each selection as NAME.ini, and scenarios.txt listing
// "NAME DATASET OUTPUT" a line for the test to read.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "ScenarioMaker.h"

namespace bp::scenarios {

class ScenarioFiles {
public:
    explicit ScenarioFiles(std::string folder);

    void writeDataset(const std::string& name, const nlohmann::ordered_json& dataset) const;
    void writeScenarios(const std::vector<Scenario>& scenarios) const;

    static std::string datasetText(const nlohmann::ordered_json& dataset);
    static std::string selectionText(const Scenario& scenario);

private:
    void write(const std::string& name, const std::string& text) const;

    std::string folder_;
};

}  // namespace bp::scenarios
