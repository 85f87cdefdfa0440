// Which definitions the report list shows for each output kind.

#include <gtest/gtest.h>

#include <fstream>

#include "forms/Controls.h"
#include "forms/ScriptedUi.h"
#include "platform/TestSupport.h"
#include "reports/ReportList.h"

namespace bp::reports {
namespace {

class ReportListTest : public ::testing::Test {
protected:
    void touch(const std::string& name) { platform::test::writeFile(temp.file(name), "x"); }
    std::vector<std::string> shown() const {
        std::vector<std::string> names;
        for (const auto& entry : list->entries()) {
            names.push_back(entry.text);
        }
        return names;
    }
    std::string folder() const { return temp.path().string() + "/"; }

    platform::test::TempFolder temp;
    forms::ScriptedUi ui;
    forms::Form form{ui, "frmMain"};
    forms::ListBox* list = &form.add<forms::ListBox>("lstReports");
};

TEST_F(ReportListTest, NamesAndExtensions) {
    EXPECT_EQ(Ext("Sales.DXL"), ".DXL");
    EXPECT_EQ(NameOnly("A.B.DXL"), "A");
    EXPECT_EQ(NameOnly("Plain"), "Plain");
    EXPECT_EQ(Ext("a"), "a");
}

TEST_F(ReportListTest, ListsEachKindWithItsRules) {
    touch("Monthly.DXL");
    touch("Monthly.XLT");
    touch("NoTemplate.DXL");
    touch("lower.dxl");
    touch("lower.XLT");
    touch("A.B.DXL");
    touch("A.xlt");  // the template is found whatever its case
    touch("Export.DCS");
    touch("small.dcs");
    list->setSorted(true);
    Load_Reports(*list, kExcelReport, folder());
    EXPECT_EQ(shown(), (std::vector<std::string>{"A", "Monthly"}));
    Load_Reports(*list, kCsvExport, folder());
    EXPECT_EQ(shown(), std::vector<std::string>{"Export"});
    Load_Reports(*list, 7, folder());
    EXPECT_TRUE(shown().empty());
}

TEST_F(ReportListTest, NamesOutsideAsciiSortWithoutRegardToCase) {
    for (const char* name : {"émile", "Zoe", "Ärger", "Émile 2", "ärger 2", "Łódź"}) {
        touch(std::string(name) + ".DCS");
    }
    list->setSorted(true);
    Load_Reports(*list, kCsvExport, folder());
    EXPECT_EQ(shown(),
              (std::vector<std::string>{"Zoe", "Ärger", "ärger 2", "émile", "Émile 2", "Łódź"}));
}

TEST_F(ReportListTest, MissingFolderLeavesTheListEmpty) {
    list->addItem("stale");
    Load_Reports(*list, kExcelReport, folder() + "absent/");
    EXPECT_TRUE(shown().empty());
}

}  // namespace
}  // namespace bp::reports
