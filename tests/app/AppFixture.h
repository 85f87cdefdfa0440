#pragma once
// A main window on the small host, with a templates folder holding a few definitions.

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/FrmMain.h"
#include "criteria/HostFixture.h"

namespace bp::app::test {

class AppFixture : public bp::test::HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        openTables();
        std::filesystem::create_directories(folder() + "/Templates");
        for (const char* name : {"Zeta.DXL", "Zeta.XLT", "alpha.DXL", "alpha.XLT", "Beta.DXL",
                                 "Beta.XLT", "Export.DCS"}) {
            std::ofstream(folder() + "/Templates/" + name) << "x";
        }
    }
    // A window as a new start makes it: a fresh form on the same store and host.
    FrmMain& openWindow() {
        window = std::make_unique<FrmMain>(session);
        window->load();
        return *window;
    }
    criteria::CriteriaControls& c() { return window->criteriaControls(); }

    std::unique_ptr<FrmMain> window;
};

}  // namespace bp::app::test
