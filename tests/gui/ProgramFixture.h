#pragma once
// The program's surroundings in a test: every location it reads or writes points into one
// temporary folder, its host is a generated demo host of 60 contacts and 5 users, and no
// report builder is started. The program folder is the temporary folder itself or, when a
// name is given, a folder of that name inside it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <string>

#include "GuiTestSupport.h"
#include "act/sim/DemoGenerator.h"
#include "gui/FormWindow.h"
#include "gui/Program.h"
#include "gui/QtUi.h"
#include "platform/TestSupport.h"

namespace bp::gui::test {

class ProgramFixture : public ::testing::Test {
protected:
    explicit ProgramFixture(const std::string& programFolder = {})
        : app_(application()),
          home_("BRINDLEPATH_HOME",
                programFolder.empty() ? temp_.path().string() : temp_.file(programFolder)),
          settings_("BRINDLEPATH_SETTINGS", temp_.file("settings.ini")),
          host_("BRINDLEPATH_HOST", temp_.file("host.db")),
          locale_("BRINDLEPATH_LOCALE", std::string("en_US")),
          noLaunch_("BRINDLEPATH_NO_LAUNCH", std::string("1")),
          runtime_("XDG_RUNTIME_DIR", temp_.path().string()),
          data_("XDG_DATA_HOME", temp_.file("data")) {
        sim::DemoOptions options;
        options.contacts = 60;
        options.users = 5;
        sim::DemoGenerator::generate(temp_.file("host.db"), options);
    }

    // The main window's widget of that object name.
    template <class W>
    W* widget(const char* name) {
        W* found = program_.mainRenderer()->window().findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QApplication& app_;
    platform::test::TempFolder temp_;
    platform::test::ScopedEnv home_, settings_, host_, locale_, noLaunch_, runtime_, data_;
    QtUi ui_;
    Program program_{ui_};
};

}  // namespace bp::gui::test
