// brindlepath-scenarios FOLDER: writes the same-output scenarios (datasets, selections and
// their list) into FOLDER. Everything follows from the seeds below, so the files only change
// when this generator does; scripts/same-output-scenarios.sh runs it and records the outputs.
#include <cstdio>
#include <exception>
#include <vector>

#include "DatasetMaker.h"
#include "ScenarioFiles.h"
#include "ScenarioMaker.h"

namespace {

constexpr int kScenarioCount = 60;
constexpr std::uint64_t kScenarioSeed = 20260;

const std::vector<bp::scenarios::DatasetShape> kShapes = {
    {"mixed", 7, 40, 4, 8, 10, 5},
    {"sparse", 11, 30, 6, 5, 40, 20},
    {"crowded", 13, 18, 3, 20, 0, 2},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: brindlepath-scenarios FOLDER\n");
        return 2;
    }
    try {
        bp::scenarios::ScenarioFiles files(argv[1]);
        std::vector<bp::scenarios::DatasetFacts> facts;
        for (const auto& shape : kShapes) {
            bp::scenarios::DatasetMaker maker(shape);
            files.writeDataset(shape.name, maker.make());
            facts.push_back(maker.facts());
        }
        files.writeScenarios(
            bp::scenarios::ScenarioMaker(facts, kScenarioSeed).make(kScenarioCount));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "brindlepath-scenarios: %s\n", e.what());
        return 1;
    }
    return 0;
}
