#pragma once
// A report definition on a temporary host, opened in "Report Settings" the way the report
// commands open it, with helpers to read what is staged and what the definition file holds.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "definitions/FrmReportSettings.h"
#include "support/HostSession.h"
#include "support/SessionSeed.h"

namespace bp::definitions::test {

// Contact fields the custom slots can offer, and some they never offer (25, 26, 30, 79).
inline constexpr const char* kEditorDataset = R"json({
  "contactFields": [{"id": 25, "label": "Company", "type": 1}, {"id": 26, "label": "Contact", "type": 1},
                    {"id": 30, "label": "City", "type": 1}, {"id": 79, "label": "Sort name", "type": 1},
                    {"id": 12, "label": "Birthday", "type": 10}, {"id": 60, "label": "Spouse", "type": 1},
                    {"id": 61, "label": "Revenue", "type": 6}],
  "salesFieldTypes": {"31": 7, "35": 7, "30": 5, "34": 6},
  "contacts": [{"1": "C00000000001", "25": "Acme Ltd"}]
})json";

inline constexpr char FF = '\f';

class EditorFixture : public testing::Test {
protected:
    EditorFixture() : host_(kEditorDataset) {}

    act::Session& session() { return host_.session; }
    forms::ScriptedUi& ui() { return host_.ui; }

    std::string path(const std::string& name, int type) const {
        return host_.session.sTemplatesFolder() + name + (type == 1 ? ".DCS" : ".DXL");
    }
    void writeDefinition(const std::string& name, const std::string& lines, int type = 0) {
        std::ofstream(path(name, type), std::ios::binary) << lines;
    }
    std::string fileText(const std::string& name = "Pipeline", int type = 0) const {
        std::ifstream in(path(name, type), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // The written file's keys (the "=" of a line splits at its first occurrence).
    std::map<std::string, std::string> fileKeys(const std::string& name = "Pipeline",
                                                int type = 0) const {
        std::map<std::string, std::string> keys;
        std::istringstream in(fileText(name, type));
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            auto eq = line.find('=');
            if (eq != std::string::npos) {
                keys[line.substr(0, eq)] = line.substr(eq + 1);
            }
        }
        return keys;
    }
    std::string staged(const std::string& key) const {
        return host_.settings.GetSetting("Report", key, "<absent>");
    }

    // Opens the dialog on a definition with these lines.
    FrmReportSettings& open(const std::string& lines, int type = 0,
                            const std::string& name = "Pipeline") {
        writeDefinition(name, lines, type);
        bp::test::SessionSeed::sReportName(host_.session, name);
        bp::test::SessionSeed::iOutputType(host_.session, type);
        dialog_ = std::make_unique<FrmReportSettings>(host_.session);
        dialog_->show();
        return *dialog_;
    }
    FrmReportSettings& dialog() { return *dialog_; }

    static std::vector<std::string> texts(const forms::ListControl& list) {
        std::vector<std::string> result;
        for (const auto& entry : list.entries()) {
            result.push_back(entry.text);
        }
        return result;
    }
    static std::vector<std::string> selectedTexts(const forms::ListBox& list) {
        std::vector<std::string> result;
        for (int p : list.selectedIndices()) {
            result.push_back(list.list(p));
        }
        return result;
    }

    bp::test::HostSession host_;
    std::unique_ptr<FrmReportSettings> dialog_;
};

// The fixture of every "Report Settings" test.
class ReportSettingsTest : public EditorFixture {
protected:
    // Selects exactly these entries of a list, as clicking them with Ctrl held does.
    static void pick(forms::ListBox& list, const std::vector<std::string>& captions) {
        list.setFocus();
        list.deselectAll();
        for (const auto& caption : captions) {
            list.click(list.findItem(caption), true);
        }
    }
    void chooseTable(const char* table) { dialog().cboTables().choose(std::string(table)); }
};

}  // namespace bp::definitions::test
