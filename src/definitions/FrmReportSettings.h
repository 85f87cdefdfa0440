#pragma once
// "Report Settings": the modal dialog in which the user edits one report definition. Opening
// stages the definition (Load_DefFile); the tabs edit the staged keys, some at once, some when
// their tab is left, the rest on Close; only Close writes the definition file back. Closing the
// window any other way leaves the file as it was.
//
// Tabs: Data (top-left cell, header), Fields (which report fields, in which order), Custom
// Fields (the contact fields of the six custom columns), three section tabs (sort field,
// title row, sub-total row) and Summary. A CSV definition offers only what an export uses:
// the header option, the fields, the custom fields and the first section's sort.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "act/Session.h"
#include "forms/Controls.h"

namespace bp::definitions {

class FrmReportSettings : public forms::Form {
public:
    static constexpr int kTabData = 0;
    static constexpr int kTabFields = 1;
    static constexpr int kTabCustomFields = 2;
    static constexpr int kTabFirstSection = 3;
    static constexpr int kTabSummary = 6;
    static constexpr int kSections = 3;
    static constexpr int kCustomSlots = 6;
    // cboTables: the tables whose fields lstLeft offers, in their order in the combo.
    enum Table : int { kContactTable = 0, kGroupTable = 1, kSalesTable = 2 };

    explicit FrmReportSettings(act::Session& session);

    act::Session& session() { return session_; }
    // True once Close has written the definition file back.
    bool written() const { return written_; }

    // Read by Sub-Total Options when it opens: the section index (0..2, 99) and whether the
    // total row goes below the section (or at the bottom of the report).
    int iSortIndex = 0;
    bool bBelow = true;

    // The dialog's controls, for the renderer and the tests.
    forms::TabControl& mstSettings() { return *mstSettings_; }
    forms::TextBox& txtReportName() { return *txtReportName_; }
    forms::CommandButton& cmdClose() { return *cmdClose_; }
    forms::TextBox& txtTopLeftCol() { return *txtTopLeftCol_; }
    forms::TextBox& txtTopLeftRow() { return *txtTopLeftRow_; }
    forms::CheckBox& chkHeader() { return *chkHeader_; }
    forms::ComboBox& cboTables() { return *cboTables_; }
    forms::ListBox& lstLeft() { return *lstLeft_; }
    forms::ListBox& lstRight() { return *lstRight_; }
    forms::CommandButton& cmdButton(int index) { return *cmdButton_[index]; }
    forms::CommandButton& cmdMove(int index) { return *cmdMove_[index]; }
    forms::ComboBox& Combo1(int slot) { return *Combo1_[slot]; }
    forms::ComboBox& cboSortOrder(int i) { return *cboSortOrder_[i]; }
    forms::OptionButton& optAscending(int i) { return *optAscending_[i]; }
    forms::OptionButton& optDescending(int i) { return *optDescending_[i]; }
    forms::CheckBox& chkTitle(int i) { return *chkTitle_[i]; }
    forms::TextBox& txtTitleCaption(int i) { return *txtTitleCaption_[i]; }
    forms::CheckBox& chkNoRepeat(int i) { return *chkNoRepeat_[i]; }
    forms::CheckBox& chkBorderBelow(int i) { return *chkBorderBelow_[i]; }
    forms::CheckBox& chkEmptyBefore(int i) { return *chkEmptyBefore_[i]; }
    forms::CheckBox& chkEmptyAfter(int i) { return *chkEmptyAfter_[i]; }
    forms::CommandButton& cmdBorder(int i) { return *cmdBorder_[i]; }
    forms::CommandButton& cmdTitleFormat(int i) { return *cmdTitleFormat_[i]; }
    // Sections 0..2 and the summary, 99.
    forms::CheckBox& chkTotals(int i) { return *chkTotals_[slotOf(i)]; }
    forms::OptionButton& optBelow(int i) { return *optBelow_[slotOf(i)]; }
    forms::OptionButton& optAbove(int i) { return *optAbove_[slotOf(i)]; }
    forms::CommandButton& cmdOptions(int i) { return *cmdOptions_[slotOf(i)]; }

    // Fields tab.
    void Save_Fields();
    void Populate_lstRight();
    void Populate_lstLeft(int table, const std::string& select);
    void Switch_Item(int position, forms::ListBox& from, forms::ListBox& to);
    void Purge(forms::ListBox& list);
    void MoveListboxItem(forms::ListBox& list, int from, int to);

    // Section and summary tabs.
    void Populate_SortCombo(int section);
    void Save_Sections(int section);

    void cmdClose_Click();
    void mstSettings_Click(int PreviousTab);
    void cboTables_Click();
    void cmdButton_Click(int index);
    void cmdMove_Click(int index);
    void cboSortOrder_Click(int section);
    void chkTitle_Click(int section);
    void chkTotals_Click(int section);
    void chkBorderBelow_Click(int section);
    void cmdOptions_Click(int section);
    void cmdBorder_Click(int section);
    void cmdTitleFormat_Click(int section);

protected:
    void Form_Load() override;

private:
    static int slotOf(int section) { return section == 99 ? kSections : section; }

    // Control creation, one routine per tab (FrmReportSettingsControls.cpp).
    void createFrame();
    void createDataTab();
    void createFieldsTab();
    void createCustomFieldsTab();
    void createSectionTab(int section);
    void createSummaryTab();
    void bindFieldsTab();
    void bindSectionTab(int section);

    // Opening, in its order.
    void hideWhatCsvDoesNotUse();
    void loadDataTab();
    void loadCustomFields();
    void loadSections();
    void loadSection(int section);

    // Close.
    void saveDataTab();
    // False (after telling the user) when two slots name the same contact field.
    bool saveCustomFields();
    void saveSummary();
    // Refills the three sort combos from the included fields and the staged sort keys.
    void refreshSortCombos();

    // Enabling rules of the Fields tab.
    void lstLeft_GotFocus();
    void lstRight_GotFocus();
    void cboTables_GotFocus();
    void lstLeft_Click();
    void lstRight_Click();
    void txtTopLeftCol_KeyPress(int& KeyAscii);
    void setMoveButtons(bool enabled);

    void enableTagged(const std::string& tag, bool enabled);
    void applyTitleBorderButton(int section);
    std::string shownCaption(const forms::ListBox& list, int position) const;

    // Runs a handler under the common error handler, named as the message names it.
    void run(const char* routine, const std::function<void()>& body);

    act::Session& session_;
    bool bLoading_ = false;
    bool written_ = false;
    std::vector<int> marked_;  // positions Switch_Item marked for Purge
    std::array<int, kCustomSlots> slotIds_{};
    std::array<bool, kCustomSlots> slotShown_{};  // the stored slot field was found and shown

    forms::TabControl* mstSettings_ = nullptr;
    forms::TextBox* txtReportName_ = nullptr;
    forms::CommandButton* cmdClose_ = nullptr;
    forms::Frame* fraTopLeft_ = nullptr;
    forms::Frame* fraHeader_ = nullptr;
    forms::TextBox* txtTopLeftCol_ = nullptr;
    forms::TextBox* txtTopLeftRow_ = nullptr;
    forms::CheckBox* chkHeader_ = nullptr;
    forms::ComboBox* cboTables_ = nullptr;
    forms::ListBox* lstLeft_ = nullptr;
    forms::ListBox* lstRight_ = nullptr;
    std::array<forms::CommandButton*, 4> cmdButton_{};
    std::array<forms::CommandButton*, 2> cmdMove_{};
    std::array<forms::ComboBox*, kCustomSlots> Combo1_{};
    std::array<forms::Frame*, kSections> fraSort_{};
    std::array<forms::Frame*, kSections> fraTitle_{};
    std::array<forms::ComboBox*, kSections> cboSortOrder_{};
    std::array<forms::OptionButton*, kSections> optAscending_{};
    std::array<forms::OptionButton*, kSections> optDescending_{};
    std::array<forms::CheckBox*, kSections> chkTitle_{};
    std::array<forms::TextBox*, kSections> txtTitleCaption_{};
    std::array<forms::CheckBox*, kSections> chkNoRepeat_{};
    std::array<forms::CheckBox*, kSections> chkBorderBelow_{};
    std::array<forms::CheckBox*, kSections> chkEmptyBefore_{};
    std::array<forms::CheckBox*, kSections> chkEmptyAfter_{};
    std::array<forms::CommandButton*, kSections> cmdBorder_{};
    std::array<forms::CommandButton*, kSections> cmdTitleFormat_{};
    std::array<forms::Frame*, kSections + 1> fraSubTotal_{};
    std::array<forms::CheckBox*, kSections + 1> chkTotals_{};
    std::array<forms::OptionButton*, kSections + 1> optBelow_{};
    std::array<forms::OptionButton*, kSections + 1> optAbove_{};
    std::array<forms::CommandButton*, kSections + 1> cmdOptions_{};
};

// The report commands' way in: shows "Report Settings" modally for session.sReportName and
// session.iOutputType. False when the definition could not be opened (its file is missing) or
// the dialog was closed without writing it back.
bool showReportSettings(act::Session& session);

}  // namespace bp::definitions
