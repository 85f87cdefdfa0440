// "Report Settings": opening, the Data, Fields and Custom Fields tabs, and Close.

#include <gtest/gtest.h>

#include "definitions/EditorFixture.h"
#include "forms/MessageAssertions.h"
#include "support/SessionSeed.h"

namespace bp::definitions::test {
namespace {

using Strings = std::vector<std::string>;

using forms::MsgIcon;
using forms::testing::showedMessages;
using forms::testing::showedNoMessage;

const Strings kContactOffer = {"Company", "Contact", "City",    "Custom1", "Custom2",
                               "Custom3", "Custom4", "Custom5", "Custom6", "Empty column"};

// Opening and the Data tab

TEST_F(ReportSettingsTest, MissingDefinitionIsNotShown) {
    bp::test::SessionSeed::sReportName(session(), "Nowhere");
    FrmReportSettings frm(session());
    frm.show();
    EXPECT_FALSE(frm.loaded());
    EXPECT_FALSE(frm.visible());
    EXPECT_TRUE(showedMessages(ui(), {{"The definition file for this report is missing!"}}));
}

TEST_F(ReportSettingsTest, UnreadableDefinitionIsNotShownAndKeepsItsFile) {
    auto& frm = open("Sort0=34\r\ngarbage\r\n");
    EXPECT_FALSE(frm.loaded());
    ASSERT_EQ(ui().messages().size(), 1u);
    EXPECT_EQ(ui().messages()[0].request.title, "brindlepath error");
    EXPECT_EQ(fileText(), "Sort0=34\r\ngarbage\r\n");
}

TEST_F(ReportSettingsTest, EntryPointWritesTheDefinitionWhenClosedWithClose) {
    writeDefinition("Pipeline", "Header=1\r\n");
    bp::test::SessionSeed::sReportName(session(), "Pipeline");
    ui().onModal("frmReportSettings", [](forms::Form& form) {
        auto& frm = static_cast<FrmReportSettings&>(form);
        frm.chkHeader().click();
        frm.cmdClose().click();
    });
    EXPECT_TRUE(showReportSettings(session()));
    EXPECT_EQ(fileKeys()["Header"], "0");
    ui().onModal("frmReportSettings", [](forms::Form&) {});
    EXPECT_FALSE(showReportSettings(session()));  // closed otherwise: nothing written
}

TEST_F(ReportSettingsTest, NewDefinitionShowsTheCatalogueDefaults) {
    auto& frm = open("");
    EXPECT_EQ(frm.caption(), "Report Settings");
    EXPECT_EQ(frm.txtReportName().text(), "Pipeline");
    EXPECT_EQ(frm.mstSettings().tab(), 0);
    EXPECT_EQ(frm.txtTopLeftCol().text(), "A");
    EXPECT_EQ(frm.txtTopLeftRow().text(), "1");
    EXPECT_FALSE(frm.chkHeader().checked());
    EXPECT_TRUE(texts(frm.lstRight()).empty());
    EXPECT_EQ(texts(frm.lstLeft()), kContactOffer);
    for (int j = 0; j < FrmReportSettings::kCustomSlots; ++j) {
        EXPECT_EQ(frm.Combo1(j).text(), "_None");
        EXPECT_EQ(texts(frm.Combo1(j)), (Strings{"_None", "Birthday", "Spouse", "Revenue"}));
    }
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(frm.cboSortOrder(i).text(), "_None");
        EXPECT_TRUE(frm.optAscending(i).value());
        EXPECT_FALSE(frm.optAscending(i).enabled());
        EXPECT_EQ(frm.txtTitleCaption(i).text(), "<value>");
        EXPECT_FALSE(frm.chkTitle(i).checked());
        EXPECT_FALSE(frm.txtTitleCaption(i).enabled());
        EXPECT_TRUE(frm.chkNoRepeat(i).checked());
        EXPECT_TRUE(frm.chkBorderBelow(i).checked());
        EXPECT_FALSE(frm.chkEmptyBefore(i).checked());
        EXPECT_FALSE(frm.chkTotals(i).checked());
        EXPECT_TRUE(frm.optBelow(i).value());
        EXPECT_FALSE(frm.cmdOptions(i).enabled());
    }
    EXPECT_TRUE(frm.chkTotals(99).checked());
    EXPECT_TRUE(frm.optBelow(99).value());
    EXPECT_TRUE(frm.cmdOptions(99).enabled());
    EXPECT_TRUE(ui().modals().empty());  // a stored summary opens no options at load
    EXPECT_TRUE(showedNoMessage(ui()));
}

TEST_F(ReportSettingsTest, CsvDefinitionShowsOnlyWhatAnExportUses) {
    auto& frm = open("", 1);
    for (int tab = 0; tab < 7; ++tab) {
        EXPECT_EQ(frm.mstSettings().tabVisible(tab), tab <= 3) << tab;
    }
    EXPECT_FALSE(frm.find("fraTopLeft")->visible());
    EXPECT_TRUE(frm.chkHeader().usable());
    EXPECT_FALSE(frm.find("fraTitle", 0)->visible());
    EXPECT_FALSE(frm.find("fraSubTotal", 0)->visible());
    EXPECT_TRUE(frm.cboSortOrder(0).visible());
    frm.cmdClose().click();
    EXPECT_EQ(fileKeys("Pipeline", 1)["Sort0"], "0");
}

TEST_F(ReportSettingsTest, TopLeftColumnTakesOneOrTwoLettersOnly) {
    struct Case {
        const char* name;
        const char* before;
        int key;
        bool accepted;
    } cases[] = {
        {"letter", "", 'b', true},          {"second letter", "A", 'c', true},
        {"third letter", "AB", 'C', false}, {"digit", "A", '1', false},
        {"backspace", "AB", 8, false},      {"bracket", "A", '[', false},
        {"space", "", ' ', false},
    };
    auto& frm = open("");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frm.txtTopLeftCol().setText(c.before);
        const int beeps = ui().beeps();
        EXPECT_EQ(frm.txtTopLeftCol().pressKey(c.key), c.accepted);
        EXPECT_EQ(ui().beeps() - beeps, c.accepted ? 0 : 1);
        EXPECT_EQ(frm.txtTopLeftCol().length(),
                  static_cast<int>(std::string(c.before).size()) + (c.accepted ? 1 : 0));
    }
    frm.txtTopLeftCol().setText("");
    frm.txtTopLeftCol().typeText("ab");
    EXPECT_EQ(frm.txtTopLeftCol().text(), "AB");
}

TEST_F(ReportSettingsTest, CloseWritesTheDataTabAndNeverAnEmptyCell) {
    auto& frm = open("TopLeftCol=C\r\nTopLeftRow=4\r\n");
    EXPECT_EQ(frm.txtTopLeftCol().text(), "C");
    frm.txtTopLeftCol().setText("");
    frm.txtTopLeftRow().setText("12");
    frm.chkHeader().click();
    frm.cmdClose().click();
    auto keys = fileKeys();
    EXPECT_EQ(keys["TopLeftCol"], "A");
    EXPECT_EQ(keys["TopLeftRow"], "12");
    EXPECT_EQ(keys["Header"], "1");
    EXPECT_FALSE(frm.loaded());
}

TEST_F(ReportSettingsTest, ReportNameBoxPassesTheFocusToClose) {
    auto& frm = open("");
    frm.txtReportName().setFocus();
    EXPECT_TRUE(frm.cmdClose().hasFocus());
}

// Fields tab

TEST_F(ReportSettingsTest, DefinitionWithoutFieldsOffersEveryContactField) {
    auto& frm = open("FieldsIncluded=\f\r\n");
    EXPECT_TRUE(texts(frm.lstRight()).empty());
    EXPECT_EQ(texts(frm.lstLeft()), kContactOffer);
    EXPECT_EQ(selectedTexts(frm.lstLeft()), Strings{"Company"});
    frm.cmdClose().click();
    EXPECT_EQ(fileKeys()["FieldsIncluded"], "");
    EXPECT_EQ(fileKeys()["FieldNamesIncluded"], "");
}

TEST_F(ReportSettingsTest, IncludeAllThenSelectedKeepsEmptyColumnOnOffer) {
    auto& frm = open("");
    frm.mstSettings().clickTab(FrmReportSettings::kTabFields);
    chooseTable("Group");
    frm.cmdButton(0).click();
    EXPECT_EQ(texts(frm.lstRight()), Strings{"Group"});
    EXPECT_TRUE(texts(frm.lstLeft()).empty());
    chooseTable("Contact");
    pick(frm.lstLeft(), {"City", "Empty column"});
    frm.cmdButton(2).click();
    pick(frm.lstLeft(), {"Empty column"});
    frm.cmdButton(2).click();
    EXPECT_EQ(texts(frm.lstRight()), (Strings{"Group", "City", "Empty column", "Empty column"}));
    EXPECT_EQ(selectedTexts(frm.lstRight()), Strings{"Empty column"});
    EXPECT_NE(frm.lstLeft().findItem("Empty column"), -1);
    EXPECT_EQ(frm.lstLeft().findItem("City"), -1);
    frm.mstSettings().clickTab(FrmReportSettings::kTabData);  // leaving Fields stages them
    EXPECT_EQ(staged("FieldsIncluded"), std::string("525\f1030\f950\f950\f"));
    EXPECT_EQ(staged("FieldNamesIncluded"),
              std::string("Group\fCity\fEmpty column\fEmpty column\f"));
}

TEST_F(ReportSettingsTest, ExcludeSelectedAndAllGiveTheFieldsBackToTheirTables) {
    auto& frm = open(std::string("FieldsIncluded=1025\f34\f950\f31\f\r\n"));
    EXPECT_EQ(texts(frm.lstRight()), (Strings{"Company", "Amount", "Empty column", "Close Date"}));
    pick(frm.lstRight(), {"Company"});
    frm.cmdButton(1).click();
    EXPECT_EQ(texts(frm.lstRight()), (Strings{"Amount", "Empty column", "Close Date"}));
    EXPECT_EQ(selectedTexts(frm.lstLeft()), Strings{"Company"});
    EXPECT_EQ(frm.lstLeft().listCount(), 10);
    EXPECT_FALSE(frm.cmdMove(0).enabled());
    frm.cmdButton(3).click();
    EXPECT_TRUE(texts(frm.lstRight()).empty());
    EXPECT_EQ(texts(frm.lstLeft()), kContactOffer);
    chooseTable("Sales");
    EXPECT_EQ(frm.lstLeft().listCount(), 16);
}

TEST_F(ReportSettingsTest, ExcludingASalesFieldLeavesTheContactListUnselected) {
    auto& frm = open(std::string("FieldsIncluded=1025\f34\f\r\n"));
    pick(frm.lstRight(), {"Amount"});
    frm.cmdButton(1).click();
    EXPECT_EQ(texts(frm.lstLeft()), (Strings{"Contact", "City", "Custom1", "Custom2", "Custom3",
                                             "Custom4", "Custom5", "Custom6", "Empty column"}));
    EXPECT_TRUE(selectedTexts(frm.lstLeft()).empty());
    chooseTable("Sales");
    EXPECT_NE(frm.lstLeft().findItem("Amount"), -1);
}

TEST_F(ReportSettingsTest, FocusAndSelectionEnableTheTransferButtons) {
    auto& frm = open(std::string("FieldsIncluded=1025\f34\f\r\n"));
    pick(frm.lstRight(), {"Amount"});
    EXPECT_TRUE(frm.cmdMove(0).enabled());
    EXPECT_TRUE(frm.cmdButton(1).enabled());
    EXPECT_FALSE(frm.cmdButton(2).enabled());
    frm.lstRight().click(0, true);  // two selected: nothing to move
    EXPECT_FALSE(frm.cmdMove(1).enabled());
    frm.lstLeft().setFocus();
    EXPECT_EQ(frm.lstRight().selCount(), 0);
    EXPECT_TRUE(frm.cmdButton(2).enabled());
    EXPECT_FALSE(frm.cmdButton(1).enabled());
    frm.cboTables().setFocus();
    EXPECT_FALSE(frm.cmdMove(0).enabled());
}

TEST_F(ReportSettingsTest, MovesChangeNothingAtEitherEnd) {
    auto& frm = open(std::string("FieldsIncluded=1025\f34\f31\f\r\n"));
    const Strings order = {"Company", "Amount", "Close Date"};
    pick(frm.lstRight(), {"Company"});
    frm.cmdMove(1).click();
    EXPECT_EQ(texts(frm.lstRight()), order);
    pick(frm.lstRight(), {"Close Date"});
    frm.cmdMove(0).click();
    EXPECT_EQ(texts(frm.lstRight()), order);
    pick(frm.lstRight(), {"Company"});
    frm.cmdMove(0).click();
    EXPECT_EQ(texts(frm.lstRight()), (Strings{"Amount", "Company", "Close Date"}));
    EXPECT_EQ(selectedTexts(frm.lstRight()), Strings{"Company"});
    EXPECT_TRUE(frm.cmdMove(1).enabled());
    frm.cmdMove(0).click();
    frm.cmdClose().click();
    EXPECT_EQ(fileKeys()["FieldsIncluded"], std::string("34\f31\f1025\f"));
}

// Custom Fields tab

TEST_F(ReportSettingsTest, StoredSlotShowsItsFieldAndOneSlotCloses) {
    auto& frm = open("FieldID2=61\r\n");
    EXPECT_EQ(frm.Combo1(2).text(), "Revenue");
    frm.Combo1(4).choose(std::string("Birthday"));
    frm.cmdClose().click();
    EXPECT_TRUE(showedNoMessage(ui()));
    auto keys = fileKeys();
    EXPECT_EQ(keys["FieldID4"], "12");
    EXPECT_EQ(keys["FieldName4"], "Birthday");
    EXPECT_EQ(keys["FieldID2"], "61");
    EXPECT_EQ(keys["FieldName2"], "Revenue");
    EXPECT_EQ(keys.count("FieldID0"), 0u);
}

TEST_F(ReportSettingsTest, DuplicateSlotsAreRefusedWhicheverSlotsTheyAre) {
    for (auto [a, b] : {std::pair{0, 1}, std::pair{1, 5}}) {
        SCOPED_TRACE(b);
        ui().clearRecords();
        auto& frm = open("Header=0\r\n");
        frm.Combo1(a).choose(std::string("Spouse"));
        frm.Combo1(b).choose(std::string("Spouse"));
        frm.chkHeader().click();
        frm.cmdClose().click();
        EXPECT_TRUE(showedMessages(
            ui(), {{"Two custom fields are the same!", "brindlepath", MsgIcon::Exclamation}}));
        EXPECT_TRUE(frm.visible());
        EXPECT_EQ(fileText(), "Header=0\r\n");
        frm.Combo1(b).choose(std::string("Revenue"));
        frm.cmdClose().click();
        EXPECT_FALSE(frm.loaded());
        EXPECT_EQ(fileKeys()["Header"], "1");
    }
}

TEST_F(ReportSettingsTest, ChoosingNoneClearsASlotThatHeldAField) {
    auto& frm = open("FieldID1=60\r\nFieldName1=Spouse\r\nFieldID3=77\r\nFieldName3=Gone\r\n");
    frm.Combo1(1).choose(std::string("_None"));
    frm.cmdClose().click();
    auto keys = fileKeys();
    EXPECT_EQ(keys["FieldID1"], "0");
    EXPECT_EQ(keys["FieldName1"], "");
    // A stored field this host does not know is left for a host that does.
    EXPECT_EQ(keys["FieldID3"], "77");
    EXPECT_EQ(keys["FieldName3"], "Gone");
    open(fileText());
    EXPECT_EQ(dialog().Combo1(1).text(), "_None");
}

TEST_F(ReportSettingsTest, WriteBackFailureKeepsTheDialogOpen) {
    auto& frm = open("");
    std::filesystem::remove_all(session().sTemplatesFolder());
    frm.cmdClose().click();
    ASSERT_EQ(ui().messages().size(), 2u);
    EXPECT_EQ(ui().messages()[0].request.title, "Error in Library1: Function Update_DefFile");
    EXPECT_EQ(ui().messages()[1].request.title, "brindlepath error");
    EXPECT_TRUE(frm.loaded());
}

}  // namespace
}  // namespace bp::definitions::test
