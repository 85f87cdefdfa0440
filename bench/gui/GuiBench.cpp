// Opening a window with the lists of a large host database: 1,000 users and 5,000 product
// entries, rendered and shown on the offscreen platform. Target: under 300 ms.
//
// FIXME: the main window itself is not in this build yet; until it is, the window measured is
// one built here with the lists the main window fills (users for both record-manager lists,
// products for the condition list and combo) and an empty 26-column results list.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStyleFactory>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "forms/Controls.h"
#include "gui/FormRenderer.h"
#include "gui/QtUi.h"

namespace {

using namespace bp::forms;

constexpr int kUsers = 1000;
constexpr int kProducts = 5000;
constexpr double kTargetMs = 300;

class LargeForm : public Form {
public:
    explicit LargeForm(UiService& ui) : Form(ui, "frmLarge", "Sales Selection") {
        auto& tabs = add<TabControl>("tabMain");
        for (const char* caption : {"General", "Conditions", "Output", "Results"}) {
            tabs.addTab(caption);
        }
        auto& contactManagers = add<ListBox>("lstCriteria", 0, &tabs, 0);
        auto& salesManagers = add<ListBox>("lstCriteria", 1, &tabs, 0);
        for (auto* list : {&contactManagers, &salesManagers}) {
            list->setMultiSelect(MultiSelect::Simple);
            list->setSorted(true);
            for (int i = 0; i < kUsers; ++i) {
                list->addItem("User " + std::to_string(i));
            }
        }
        for (int i = 0; i < 4; ++i) {
            add<CheckBox>("chkSales", i, &tabs, 0).setCaption("Status " + std::to_string(i));
            add<OptionButton>("optScope", i, &tabs, 0).setCaption("Scope " + std::to_string(i));
        }
        auto& products = add<ListBox>("lstCriteria", 2, &tabs, 1);
        products.setMultiSelect(MultiSelect::Simple);
        auto& productCombo = add<ComboBox>("cboCondition", 0, &tabs, 1);
        for (int i = 0; i < kProducts; ++i) {
            products.addItem("Product " + std::to_string(i));
            productCombo.addItem("Product " + std::to_string(i));
        }
        add<DatePicker>("dtpFrom", -1, &tabs, 1);
        add<DatePicker>("dtpTo", -1, &tabs, 1);
        add<TextBox>("txtCondition", 0, &tabs, 1).setNumeric(true);
        add<ComboBox>("cboOutput", -1, &tabs, 2).addItem("Spreadsheet report");
        auto& results = add<ListView>("lvwResults", -1, &tabs, 3);
        for (int c = 0; c < 26; ++c) {
            results.addColumn("Column " + std::to_string(c));
        }
        add<CommandButton>("cmdOK").setCaption("&Run");
        add<CommandButton>("cmdCancel").setCaption("Close");
        auto& file = add<MenuEntry>("mnuFile");
        file.setCaption("&File");
        add<MenuEntry>("mnuFileExit", -1, &file).setCaption("E&xit");
    }
};

double openOnce(bp::gui::QtUi& ui) {
    LargeForm form(ui);
    const auto start = std::chrono::steady_clock::now();
    bp::gui::FormRenderer renderer(form);
    form.show();
    QApplication::processEvents();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

void BM_OpenWindowWithLargeLists(benchmark::State& state) {
    bp::gui::QtUi ui;
    double worst = 0;
    for (auto _ : state) {
        const double ms = openOnce(ui);
        worst = std::max(worst, ms);
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["worst_ms"] = worst;
}
BENCHMARK(BM_OpenWindowWithLargeLists)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    bp::gui::QtUi ui;
    openOnce(ui);  // warm
    const double ms = openOnce(ui);
    std::printf(
        "Window with %d users and %d product entries opened in %.1f ms (target %.0f ms): %s\n",
        kUsers, kProducts, ms, kTargetMs, ms < kTargetMs ? "met" : "MISSED");
    return ms < kTargetMs ? 0 : 1;
}
