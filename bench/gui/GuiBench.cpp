// Opening the main window on a large host database: 1,000 users and 5,000 product entries.
// Measured from start-up (Sub_Main: attach to the host, fill the criteria lists, restore the
// settings) to the rendered window shown on the offscreen platform. Target: under 300 ms.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "act/Session.h"
#include "act/sim/DatasetJson.h"
#include "act/sim/SimHost.h"
#include "app/FrmMain.h"
#include "app/Module1.h"
#include "forms/ListControl.h"
#include "gui/QtUi.h"
#include "platform/MemorySettingsStore.h"
#include "platform/RecordingShell.h"
#include "platform/SingleInstance.h"

namespace {

constexpr int kUsers = 1000;
constexpr int kProducts = 5000;
constexpr double kTargetMs = 300;

std::string id(char kind, int n) {
    std::string digits = std::to_string(n);
    return std::string(1, kind) + std::string(11 - digits.size(), '0') + digits;
}

nlohmann::json largeDataset() {
    nlohmann::json users = nlohmann::json::array();
    for (int i = 1; i <= kUsers; ++i) {
        users.push_back({{"id", id('U', i)}, {"name", "User " + std::to_string(i)}});
    }
    nlohmann::json products = nlohmann::json::array();
    for (int i = 1; i <= kProducts; ++i) {
        products.push_back("Product " + std::to_string(i));
    }
    return {{"open", true},
            {"currentUser", "User 1"},
            {"users", users},
            {"contacts", {{{"1", id('C', 1)}, {"6", id('U', 1)}, {"25", "Acme Ltd"}}}},
            {"sales", {{{"1", id('S', 1)}, {"25", id('C', 1)}, {"6", id('U', 1)}}}},
            {"lists", {{"1", products}, {"2", {"New"}}, {"3", {"Rival Inc"}}}},
            {"salesStages", {"Prospect", "Qualified"}}};
}

struct Bench {
    QTemporaryDir folder;
    std::string hostPath = folder.filePath(QStringLiteral("host.db")).toStdString();
    bp::gui::QtUi ui;
    bp::platform::MemorySettingsStore settings;
    bp::platform::RecordingShell shell;
    int entriesShown = 0;  // list and combo entries of the window, to show what was measured

    Bench() { bp::sim::DatasetJson::importJson(hostPath, largeDataset()); }

    // Milliseconds from start-up to the shown window.
    double openMainWindow() {
        bp::sim::SimHost host(hostPath);
        bp::act::Session session;
        session.ui = &ui;
        session.settings = &settings;
        session.shell = &shell;
        session.host = &host;
        session.programFolder = folder.path().toStdString();
        bp::platform::SingleInstance instance(
            folder.filePath(QStringLiteral("brindlepath.lock")).toStdString());
        const auto start = std::chrono::steady_clock::now();
        auto frmMain = bp::app::Sub_Main(session, instance);
        if (!frmMain) {
            std::fprintf(stderr, "start-up failed\n");
            std::exit(2);
        }
        ui.attach(*frmMain);
        QApplication::processEvents();
        const auto end = std::chrono::steady_clock::now();
        entriesShown = 0;
        frmMain->forEachControl([this](bp::forms::Control& c) {
            if (auto* list = dynamic_cast<bp::forms::ListControl*>(&c)) {
                entriesShown += list->listCount();
            }
        });
        ui.detach(*frmMain);
        frmMain->unload();
        return std::chrono::duration<double, std::milli>(end - start).count();
    }
};

Bench* bench = nullptr;

void BM_OpenMainWindow(benchmark::State& state) {
    double worst = 0;
    for (auto _ : state) {
        const double ms = bench->openMainWindow();
        worst = std::max(worst, ms);
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["worst_ms"] = worst;
}
BENCHMARK(BM_OpenMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("BRINDLEPATH_NO_LAUNCH", "1", 1);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    Bench b;
    ::setenv("BRINDLEPATH_HOME", qUtf8Printable(b.folder.path()), 1);
    bench = &b;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    b.openMainWindow();  // warm
    const double ms = b.openMainWindow();
    std::printf(
        "Main window on a host with %d users and %d product entries opened in %.1f ms "
        "(target %.0f ms): %s\n"
        "(%d list and combo entries filled at start-up; condition lists fill when a field is "
        "chosen)\n",
        kUsers, kProducts, ms, kTargetMs, ms < kTargetMs ? "met" : "MISSED", b.entriesShown);
    return ms < kTargetMs ? 0 : 1;
}
