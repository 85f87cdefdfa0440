#include "ScenarioFiles.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace bp::scenarios {

namespace {

std::string dumped(const nlohmann::ordered_json& value) {
    return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::strict);
}

}  // namespace

ScenarioFiles::ScenarioFiles(std::string folder) : folder_(std::move(folder)) {
    std::filesystem::create_directories(std::filesystem::u8path(folder_));
}

std::string ScenarioFiles::datasetText(const nlohmann::ordered_json& dataset) {
    std::string text = "{\n";
    bool firstKey = true;
    for (const auto& [key, value] : dataset.items()) {
        text += firstKey ? "" : ",\n";
        firstKey = false;
        text += " " + dumped(key) + ": ";
        if (!value.is_array() || value.empty() || !value.front().is_object()) {
            text += dumped(value);
            continue;
        }
        text += "[\n";
        for (std::size_t i = 0; i < value.size(); ++i) {
            text += "  " + dumped(value[i]) + (i + 1 < value.size() ? ",\n" : "\n");
        }
        text += " ]";
    }
    return text + "\n}\n";
}

std::string ScenarioFiles::selectionText(const Scenario& scenario) {
    std::string text = "[Settings]\n";
    for (const auto& [key, value] : scenario.settings) {
        text += key + "=" + value + "\n";
    }
    return text;
}

void ScenarioFiles::writeDataset(const std::string& name,
                                 const nlohmann::ordered_json& dataset) const {
    write(name + ".json", datasetText(dataset));
}

void ScenarioFiles::writeScenarios(const std::vector<Scenario>& scenarios) const {
    std::string list;
    for (const auto& scenario : scenarios) {
        write(scenario.name + ".ini", selectionText(scenario));
        list += scenario.name + " " + scenario.dataset + " " +
                ScenarioMaker::outputName(scenario.output) + "\n";
    }
    write("scenarios.txt", list);
}

void ScenarioFiles::write(const std::string& name, const std::string& text) const {
    const auto path = std::filesystem::u8path(folder_) / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace bp::scenarios
