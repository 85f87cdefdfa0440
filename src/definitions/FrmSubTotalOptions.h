#pragma once
// "Sub-Total Options": the total row of one sort section (0..2) or the summary row of the
// whole report (99). The per-column choices (calculation, border above the cell, own font)
// are staged the moment they change, and Cancel does not take them back; the caption, its
// column, the border and the empty lines wait for Close.

#include <cstdint>

#include "act/Session.h"
#include "forms/Controls.h"

namespace bp::definitions {

// Where a section's total row sits: above or below the rows it totals.
enum class TotalRow { Above, Below };

class FrmSubTotalOptions : public forms::Form {
public:
    // `sortIndex` and `totalRow` are the report settings' iSortIndex and bBelow.
    FrmSubTotalOptions(act::Session& session, int sortIndex, TotalRow totalRow);

    forms::TextBox& txtCaption() { return *txtCaption_; }
    forms::TextBox& txtCaptionCol() { return *txtCaptionCol_; }
    forms::CheckBox& chkBorder() { return *chkBorder_; }
    forms::CommandButton& cmdBorder() { return *cmdBorder_; }
    forms::CommandButton& cmdFontGlobal() { return *cmdFontGlobal_; }
    forms::ComboBox& cboFields() { return *cboFields_; }
    forms::OptionButton& optCalc(int index) { return *optCalc_[index]; }
    forms::CheckBox& chkDifferent() { return *chkDifferent_; }
    forms::CheckBox& chkLineabove() { return *chkLineabove_; }
    forms::CommandButton& cmdFont() { return *cmdFont_; }
    forms::CheckBox& chkEmptyBefore() { return *chkEmptyBefore_; }
    forms::CheckBox& chkEmptyAfter() { return *chkEmptyAfter_; }
    forms::CommandButton& cmdClose() { return *cmdClose_; }
    forms::CommandButton& cmdCancel() { return *cmdCancel_; }

    void Load_Combo();
    void cboFields_Click();
    void optCalc_Click(int index);
    void chkDifferent_Click();
    void chkLineabove_Click();
    void chkBorder_Click();
    void cmdBorder_Click();
    void cmdFontGlobal_Click();
    void cmdFont_Click();
    void cmdClose_Click();
    void cmdCancel_Click();

protected:
    void Form_Load() override;

private:
    void createControls();
    void createColumnControls();
    void bindControls();
    void setColumnControlsEnabled(bool enabled);
    // The field ID of the column chosen in cboFields; 0 while there is none.
    int fieldId() const;
    std::string columnKeyOf(const char* base) const;
    void run(const char* routine, const std::function<void()>& body);

    act::Session& session_;
    int n_;
    TotalRow totalRow_;
    forms::TextBox* txtCaption_ = nullptr;
    forms::TextBox* txtCaptionCol_ = nullptr;
    forms::CheckBox* chkBorder_ = nullptr;
    forms::CommandButton* cmdBorder_ = nullptr;
    forms::CommandButton* cmdFontGlobal_ = nullptr;
    forms::ComboBox* cboFields_ = nullptr;
    forms::OptionButton* optCalc_[4] = {};
    forms::CheckBox* chkDifferent_ = nullptr;
    forms::CheckBox* chkLineabove_ = nullptr;
    forms::CommandButton* cmdFont_ = nullptr;
    forms::CheckBox* chkEmptyBefore_ = nullptr;
    forms::CheckBox* chkEmptyAfter_ = nullptr;
    forms::CommandButton* cmdClose_ = nullptr;
    forms::CommandButton* cmdCancel_ = nullptr;
};

}  // namespace bp::definitions
