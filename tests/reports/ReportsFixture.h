#pragma once
// The report library on a temporary program folder and templates folder, with a stand-in
// main window (a sorted report list and the list's popup menu), a scripted UI, a memory
// settings store and recording shell and launcher. Nothing here touches the user's files.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "act/Session.h"
#include "forms/Controls.h"
#include "forms/ScriptedUi.h"
#include "platform/Launcher.h"
#include "platform/MemorySettingsStore.h"
#include "platform/PathText.h"
#include "platform/RecordingShell.h"
#include "platform/TestSupport.h"
#include "reports/FrmNew.h"
#include "reports/FrmRename.h"
#include "reports/FrmReportList.h"
#include "reports/ReportCommands.h"
#include "reports/ReportLibrary.h"
#include "reports/ReportList.h"
#include "reports/ReportsWindow.h"
#include "support/SessionSeed.h"

namespace bp::reports::test {

// What the main window gives the report commands, and no more.
class TestWindow : public forms::Form, public ReportsWindow {
public:
    explicit TestWindow(forms::UiService& ui) : Form(ui, "frmMain") {
        list_ = &add<forms::ListBox>("lstReports");
        list_->setSorted(true);
        popup_ = &add<forms::MenuEntry>("mnuPopup");
        popup_->setVisible(false);
        for (const char* name : {"mnuPopupNew", "mnuPopupEdit", "mnuPopupSep1", "mnuPopupDelete",
                                 "mnuPopupSep2", "mnuPopupDuplicate", "mnuPopupRename",
                                 "mnuPopupConvert", "mnuPopupSep", "mnuPopupEditTemplate"}) {
            add<forms::MenuEntry>(name, -1, popup_).setCaption(name);
        }
    }

    forms::Form& ownerForm() override { return *this; }
    forms::ListBox& lstReports() override { return *list_; }
    forms::MenuEntry& menu(const std::string& name) override {
        return *findAs<forms::MenuEntry>(name);
    }
    void Update_ReportMenu() override { ++menuUpdates; }

    int menuUpdates = 0;

private:
    forms::ListBox* list_ = nullptr;
    forms::MenuEntry* popup_ = nullptr;
};

class ReportsFixture : public ::testing::Test {
protected:
    ReportsFixture() {
        std::filesystem::create_directories(temp.path() / "Templates");
        write(program("/brindlepath_def.DXL"), "starter excel definition");
        write(program("/brindlepath_def.DCS"), "starter csv definition");
        write(program("/brindlepath_template.XLT"), "starter template");
        bindPopup();
    }

    // An Excel report (definition and template) or a CSV definition in the templates folder.
    void addExcel(const std::string& name) {
        write(templ(name + ".DXL"), name + " definition");
        write(templ(name + ".XLT"), name + " template");
    }
    void addCsv(const std::string& name) { write(templ(name + ".DCS"), name + " csv"); }
    // Fills the stand-in main list for `kind` and selects `position`.
    void showList(int kind, int position = 0) {
        bp::test::SessionSeed::iOutputType(session, kind);
        library.reload();
        if (position >= 0 && position < window.lstReports().listCount()) {
            window.lstReports().setListIndex(position);
        }
    }

    // A file of the program folder, named as the program names it.
    std::string program(const std::string& file) const {
        return platform::joinPath(session.programFolder, file);
    }
    std::string templ(const std::string& file) const { return session.sTemplatesFolder() + file; }
    bool has(const std::string& file) const {
        return std::filesystem::exists(platform::pathFromUtf8(session.sTemplatesFolder() + file));
    }
    std::string read(const std::string& file) const {
        std::ifstream in(platform::pathFromUtf8(session.sTemplatesFolder() + file));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void write(const std::string& path, const std::string& text) {
        std::ofstream(platform::pathFromUtf8(path)) << text;
    }
    // The templates folder's file names, sorted.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(temp.path() / "Templates")) {
            names.push_back(platform::utf8FromPath(entry.path().filename()));
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<std::string> listed() {
        std::vector<std::string> names;
        for (const auto& entry : window.lstReports().entries()) {
            names.push_back(entry.text);
        }
        return names;
    }
    std::string current() {
        const int i = window.lstReports().listIndex();
        return i < 0 ? std::string("<none>") : window.lstReports().list(i);
    }
    // The texts of every message shown so far.
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& m : ui.messages()) {
            texts.push_back(m.request.text);
        }
        return texts;
    }
    // Runs `script` when the form named `name` opens.
    template <class F>
    void onOpen(const std::string& name, std::function<void(F&)> script) {
        ui.onModal(name, [script](forms::Form& form) { script(dynamic_cast<F&>(form)); });
    }
    // A frmNew or frmRename answer: types `name` over the box's text and presses OK.
    template <class F>
    static void answer(F& form, const std::string& name) {
        form.txtNewName().setText("");
        form.txtNewName().typeText(name);
        form.pressEnter();
    }

    platform::test::TempFolder temp;
    forms::ScriptedUi ui;
    platform::MemorySettingsStore settings;
    platform::RecordingShell shell;
    platform::RecordingLauncher launcher;
    // Complete before the library and its dialogs are made from it.
    act::Session session = makeSession();
    TestWindow window{ui};
    ReportLibrary library{session, window};
    ReportCommands commands{library};

private:
    act::Session makeSession() {
        act::Session made;
        made.ui = &ui;
        made.settings = &settings;
        made.shell = &shell;
        made.launcher = &launcher;
        made.programFolder = temp.path().string();
        bp::test::SessionSeed::sTemplatesFolder(made, made.programFolder + "/Templates/");
        return made;
    }

    void bindPopup() {
        auto bind = [this](const char* name, void (ReportCommands::*handler)()) {
            window.menu(name).onClick = [this, handler] { (commands.*handler)(); };
        };
        bind("mnuPopupNew", &ReportCommands::mnuNew_Click);
        bind("mnuPopupEdit", &ReportCommands::mnuPopupEdit_Click);
        bind("mnuPopupDelete", &ReportCommands::mnuPopupDelete_Click);
        bind("mnuPopupDuplicate", &ReportCommands::mnuPopupDuplicate_Click);
        bind("mnuPopupRename", &ReportCommands::mnuPopupRename_Click);
        bind("mnuPopupConvert", &ReportCommands::mnuPopupConvert_Click);
        bind("mnuPopupEditTemplate", &ReportCommands::mnuPopupEditTemplate_Click);
        window.lstReports().onMouseDown = [this](int Button, int Shift, int X, int Y) {
            commands.lstReports_MouseDown(Button, Shift, X, Y);
        };
        window.lstReports().onDblClick = [this] { commands.lstReports_DblClick(); };
    }
};

}  // namespace bp::reports::test
